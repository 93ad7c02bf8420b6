%ROWDIST  Euclidean distances between all pairs of rows.
%
%   D = ROWDIST(X) returns the M-by-M table of Euclidean distances between the
%   rows of the M-by-N real double matrix X: D(i,j) is the distance between rows
%   i and j. D is symmetric and its diagonal is 0.
%
%   The result is bit-reproducible: every distance is the square root of the
%   squared differences summed one column at a time, in column order, in a single
%   double, with no fused multiply-add. The same input gives the same bits on any
%   processor, and D(i,j) and D(j,i) are identical.
%
%   A NaN anywhere in a row makes that row's distances to every other row NaN
%   (its diagonal entry stays 0). Inf against a finite value gives Inf; Inf
%   against Inf in the same column gives NaN. A 0-by-N input gives a 0-by-0
%   table; an M-by-0 input gives an M-by-M table of zeros.
%
%   Memory: D takes 8*M^2 bytes, so M = 20000 rows need 3.2 GB.
%
%   Example:
%      rowdist([0 0; 3 4; 6 8])   % returns [0 5 10; 5 0 5; 10 5 0]
%
%   See also PARETOMASK.
