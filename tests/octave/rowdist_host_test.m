function failures = rowdist_host_test ()
  % Runs rowdist.mex in Octave against a plain Octave computation; returns the number of
  % failed checks.
  failures = 0;
  failures += expect_equal ("documented table", rowdist ([0 0; 3 4; 6 8]), [0 5 10; 5 0 5; 10 5 0]);
  failures += expect_equal ("no rows", size (rowdist (zeros (0, 3))), [0 0]);
  failures += expect_equal ("no columns", rowdist (zeros (3, 0)), zeros (3));
  d = rowdist ([NaN 0; 1 1; 2 2]);
  failures += expect_equal ("NaN row", [isnan(d(1, 2:3)) isnan(d(2:3, 1))' d(1, 1)], [1 1 1 1 0]);

  % The plain computation sums one column at a time in increasing order, as the plug-in
  % does, so the tables agree bit for bit.
  randn ("seed", 3);
  for trial = 1:30
    x = randn (mod (7 * trial, 61), mod (trial, 9));
    d = rowdist (x);
    failures += expect_equal (sprintf ("random %d", trial), d, plain_table (x));
    failures += expect_equal (sprintf ("symmetric %d", trial), d, d.');
  endfor

  failures += expect_error ("rowdist ()", "rowdist: A single input is required.");
  failures += expect_error ("rowdist (1, 2)", "rowdist: A single input is required.");
  failures += expect_error ("[a, b] = rowdist (1, 2)", "rowdist: A single input is required.");
  failures += expect_error ("[a, b] = rowdist (1)", "rowdist: A single output is required.");
  failures += expect_error ("rowdist (single (1))", ...
                           "rowdist: Input 1 must be a real, full double matrix.");
  printf ("rowdist in Octave: %d failed\n", failures);
endfunction

function d = plain_table (x)
  m = rows (x);
  s = zeros (m);
  for k = 1:columns (x)
    diff = x(:, k) - x(:, k).';
    s = s + diff .* diff;
  endfor
  d = sqrt (s);
  % Entries below the diagonal take row i minus row j with i < j; squaring hides the sign.
  d(1:m+1:end) = 0;
endfunction
