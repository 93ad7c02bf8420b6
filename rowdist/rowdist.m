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

% The table is symmetric, bit for bit, with a zero diagonal
%!assert (rowdist ([0 0; 3 4; 6 8]), [0 5 10; 5 0 5; 10 5 0])
%!test
%! d = rowdist (sin ((1:40)' * (1:7)));
%! assert (d, d.');
%! assert (diag (d), zeros (40, 1));

% Each distance sums squared differences one column at a time, in column order
%!test
%! x = 1e3 * sin ((1:30)' * (1:9)) .^ 3;
%! s = zeros (30);
%! for k = 1:columns (x)
%!   diff = x(:, k) - x(:, k).';
%!   s = s + diff .* diff;
%! endfor
%! expected = sqrt (s);
%! expected(1:31:end) = 0;
%! assert (rowdist (x), expected);

% A NaN spreads to its row's distances but not to the diagonal; Inf - Inf is NaN
%!assert (isnan (rowdist ([NaN 0; 1 1; 2 2])), logical ([0 1 1; 1 0 0; 1 0 0]))
%!assert (rowdist ([Inf 0; Inf 1; 0 0]), [0 NaN Inf; NaN 0 Inf; Inf Inf 0])

% No rows give a 0-by-0 table, no columns a table of zeros
%!assert (size (rowdist (zeros (0, 3))), [0 0])
%!assert (rowdist (zeros (3, 0)), zeros (3))

% Argument counts are checked inputs first, then outputs
%!error <^rowdist: A single input is required\.$> rowdist ()
%!error <^rowdist: A single input is required\.$> rowdist (1, 2)
%!error <^rowdist: A single input is required\.$> [a, b] = rowdist (1, 2)
%!error <^rowdist: A single output is required\.$> [a, b] = rowdist (1)

% Only real, full double matrices of 32-bit counts are read
%!error <^rowdist: Input 1 must be a real, full double matrix\.$> rowdist (single (1))
%!error <^rowdist: Input 1 must be a real, full double matrix\.$> rowdist ([1 2i])
%!error <^rowdist: Input 1 must be a real, full double matrix\.$> rowdist (sparse ([1 2]))
%!error id=rowdist:notRealDouble rowdist ("ab")
%!error <^rowdist: Input 1 is too large: rows and columns must each be at most 2147483647\.$> rowdist (zeros (2^31, 0))
%!error id=rowdist:tooLarge rowdist (zeros (0, 2^31))
