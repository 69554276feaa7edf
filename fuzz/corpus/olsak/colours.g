#d
   0:   #FFFFFF   white
   1:*  #000000   black
   r:r  #CC0000   red
: rows
2r 1
0
3
: columns
1r 1
1r 1
1 1
