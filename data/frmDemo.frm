PendrelForm 1
Form "frmDemo"
# An order: where from (cboPlace, near the top, its list opens below it) and
# where to (cboDestination, near the bottom of the work area, so its list has
# no room below and opens above it, with column heads). The key column (id)
# is hidden; the other columns take percentages of the work-area width.
Begin "Pendrel.Morvex" "cboPlace" 240 510 4500 375
    ColumnHeads = Boolean False
    ColumnWidths = String "0;16;6;8;9"
    ListRows = Long 12
End
Begin "Pendrel.Morvex" "cboDestination" 240 6300 4500 375
    ColumnHeads = Boolean True
    ColumnWidths = String "0;16;6;8;9"
    ListRows = Long 10
End
