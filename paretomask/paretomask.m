%PARETOMASK  Flags of the rows that no other row dominates (smaller is better).
%
%   F = PARETOMASK(A) returns an M-by-1 double vector for the M-by-N real double
%   matrix A. F(r) is 1 when no row of A dominates row r and 0 otherwise. Row s
%   dominates row r when it is <= row r in every column and < in at least one.
%
%   Of several identical rows, only the first keeps its flag. -0 and +0 count as
%   equal. A row holding a NaN cannot be compared with any row: it keeps 1 and
%   eliminates no other row. Inf and -Inf compare like any other value.
%
%   [FA, FB] = PARETOMASK(A, B) judges two matrices of the same width against
%   each other. FA flags the rows of A that survive both among A and against B;
%   FB flags the rows of B that no row of A is <= in every column (a row of B
%   equal to a row of A is eliminated, the row of A stays). Rows of B are never
%   compared with each other.
%
%   The rows of A are scanned in order, and each row of A that still stands is
%   compared with every row of B that still stands. A row of A stops being used
%   as soon as it is eliminated. So a row of B can survive although a row of A is
%   better than it, when that row of A was itself eliminated earlier by another
%   row of B. For example, with A = [2 2] and B = [1 1; 3 3], [1 1] eliminates
%   [2 2] first, and [3 3] is never compared again: FA = 0, FB = [1; 1].
%
%   The flags are doubles holding exactly 1 or 0, not logical values; use
%   A(F == 1, :) or logical(F) to select rows. Inputs must be real, full double
%   matrices; inputs after the second are ignored.
%
%   Example:
%      A = [1 2; 2 1; 2 2; 1 2];
%      paretomask(A)            % returns [1; 1; 0; 0]
%      [fa, fb] = paretomask([1 3; 3 1], [2 2; 1 3; 0 5; 2 3])
%                               % fa = [1; 1], fb = [1; 0; 1; 0]
%
%   See also ROWDIST.
