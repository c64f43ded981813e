PendrelForm 1
Form "Orders"
Begin "Pendrel.Morvex" "cboCustomer" 120 240 3015 375
    ColumnWidths = String "50;50"
    ListRows = Long 8
    AutoExpand = Boolean True
    BeginProperty Font "StdFont"
        Name = String "Tahoma"
        Size = Single 8.25
    EndProperty
End
