PendrelForm 1
Form "frmDemo"
# Two place pickers: one near the top of the form, whose list opens below
# it, and one near the bottom of the screen's work area, whose list has no
# room below and opens above it. The key column (id) is hidden; the other
# columns take percentages of the work-area width.
Begin "Pendrel.Morvex" "cboPlace" 360 480 4200 375
    ColumnWidths = String "0;12;4;6;7"
    ListRows = Long 12
End
Begin "Pendrel.Morvex" "cboDestination" 360 12600 4200 375
    ColumnWidths = String "0;12;4;6;7"
    ListRows = Long 10
End
