PendrelForm 1
Form "Empty"
