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
%   With one input the flags can be computed in pieces, to use several cores
%   or machines: run PARETOMASK on consecutive chunks of the rows of A, keep the
%   rows that stand in their chunk, in their original order, and run PARETOMASK
%   once more on those. The rows that stand there are exactly the rows that
%   stand in PARETOMASK(A); every other row gets 0. In MATLAB, run the chunks
%   with PARFOR, or on tall arrays with MAPREDUCE (map: the rows that stand in
%   a block, with their row numbers; reduce: PARETOMASK once more on all of them,
%   put back in row order); in Octave, with PARCELLFUN from the parallel package
%   (Debian: octave-parallel):
%      first = 1:5000:size(A, 1);               % consecutive chunks
%      kept = cell(size(first));
%      parfor k = 1:numel(first)
%         r = first(k):min(first(k) + 4999, size(A, 1));
%         kept{k} = r(paretomask(A(r, :)) == 1);
%      end
%      kept = [kept{:}];
%      F = zeros(size(A, 1), 1);
%      F(kept(paretomask(A(kept, :)) == 1)) = 1;
%   The two-input form cannot be split this way: which rows of B stand depends
%   on the order in which the rows of A are scanned, as described above.
%
%   Example:
%      A = [1 2; 2 1; 2 2; 1 2];
%      paretomask(A)            % returns [1; 1; 0; 0]
%      [fa, fb] = paretomask([1 3; 3 1], [2 2; 1 3; 0 5; 2 3])
%                               % fa = [1; 1], fb = [1; 0; 1; 0]
%
%   See also ROWDIST.

% A dominated row loses its flag, and of identical rows only the first keeps it
%!assert (paretomask ([1 2; 2 1; 2 2; 1 2]), [1; 1; 0; 0])
%!assert (paretomask ([3 3; 1 1; 2 2]), [0; 1; 0])
%!assert (paretomask (zeros (3, 0)), [1; 0; 0])

% A NaN row stands and eliminates nothing; -0 equals +0; infinities are values
%!assert (paretomask ([1 NaN; 0 0; 3 3]), [1; 1; 0])
%!assert (paretomask ([0; -0]), [1; 0])
%!assert (paretomask ([Inf 0; 1 0; Inf -Inf]), [0; 1; 1])

% Flags are a double column with one entry per row, also for no rows
%!test
%! assert (class (paretomask ([1 2; 2 1])), "double");
%! assert (size (paretomask (zeros (0, 3))), [0 1]);

% Two matrices are judged across: a row of B equal to a row of A is eliminated
%!test
%! [fa, fb] = paretomask ([1 3; 3 1], [2 2; 1 3; 0 5; 2 3]);
%! assert (fa, [1; 1]);
%! assert (fb, [1; 0; 1; 0]);

% A row of A eliminated by B stops eliminating, so a worse row of B can stand
%!test
%! [fa, fb] = paretomask ([2 2], [1 1; 3 3]);
%! assert (fa, 0);
%! assert (fb, [1; 1]);

% Without columns every row equals every other: the first row of A stands, and it is
% <= every row of B, which all fall
%!test
%! [fa, fb] = paretomask (zeros (3, 0), zeros (2, 0));
%! assert (fa, [1; 0; 0]);
%! assert (fb, [0; 0]);

% One output still judges A against B; an empty B changes nothing; inputs after
% the second are ignored, whatever their width
%!assert (paretomask ([2 2], [1 1; 3 3]), 0)
%!assert (paretomask ([2 2], [1 1; 3 3], ones (4, 5)), 0)
%!test
%! [fa, fb] = paretomask ([1 2; 2 1; 2 2], zeros (0, 2));
%! assert (fa, [1; 1; 0]);
%! assert (size (fb), [0 1]);

% Argument counts are checked inputs first, then outputs
%!error <^paretomask: Not enough input arguments\.$> paretomask ()
%!error <^paretomask: Not enough input arguments\.$> [a, b, c] = paretomask ()
%!error <^paretomask: The number of columns must agree$> paretomask (ones (2), ones (2, 3))
%!error <^paretomask: The number of columns must agree$> [a, b, c] = paretomask (ones (2), ones (1, 3))
%!error <^paretomask: Too many output arguments\.$> [a, b, c] = paretomask (ones (2))

% Only real, full double matrices of 32-bit counts are read
%!error <^paretomask: Input 1 must be a real, full double matrix\.$> paretomask (single ([1 2]))
%!error <^paretomask: Input 2 must be a real, full double matrix\.$> paretomask ([1 2], int32 ([1 2]))
%!error <^paretomask: Input 1 must be a real, full double matrix\.$> paretomask ([1 2i])
%!error <^paretomask: Input 1 must be a real, full double matrix\.$> paretomask (sparse ([1 2]))
%!error id=paretomask:notRealDouble paretomask (true)
%!error <^paretomask: Input 1 is too large: rows and columns must each be at most 2147483647\.$> paretomask (zeros (2^31, 0))
%!error id=paretomask:tooLarge paretomask (zeros (1, 0), zeros (2^31, 0))
