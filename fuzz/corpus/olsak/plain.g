A cross, black on white.
: rows
1
3
1
: columns
1
3
1
: end
