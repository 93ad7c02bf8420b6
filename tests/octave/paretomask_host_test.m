function failures = paretomask_host_test ()
  % Runs paretomask.mex in Octave against a plain Octave implementation; returns the
  % number of failed checks.
  failures = 0;

  failures += expect_equal ("one matrix", paretomask ([1 2; 2 1; 2 2; 1 2]), [1; 1; 0; 0]);
  failures += expect_equal ("dominated first row", paretomask ([3 3; 1 1; 2 2]), [0; 1; 0]);
  failures += expect_equal ("NaN row stands", paretomask ([1 NaN; 0 0; 3 3]), [1; 1; 0]);
  failures += expect_equal ("signed zeros are equal", paretomask ([0; -0]), [1; 0]);
  failures += expect_equal ("infinities", paretomask ([Inf 0; 1 0; Inf -Inf]), [0; 1; 1]);
  failures += expect_equal ("no rows", size (paretomask (zeros (0, 3))), [0 1]);
  failures += expect_equal ("flags are doubles", class (paretomask ([1 2])), "double");

  [fa, fb] = paretomask ([1 3; 3 1], [2 2; 1 3; 0 5; 2 3]);
  failures += expect_equal ("two matrices, A", fa, [1; 1]);
  failures += expect_equal ("two matrices, B", fb, [1; 0; 1; 0]);
  [fa, fb] = paretomask ([2 2], [1 1; 3 3]);
  failures += expect_equal ("scan order decides", [fa; fb], [0; 1; 1]);
  failures += expect_equal ("third input ignored", paretomask ([2 2], [1 1; 3 3], "x"), 0);

  rand ("seed", 42);
  for trial = 1:60
    cols = mod (trial, 4) + 1;
    a = floor (4 * rand (mod (trial, 23), cols));
    b = floor (4 * rand (mod (trial, 7), cols));
    a(rand (size (a)) < 0.03) = NaN;
    failures += expect_equal (sprintf ("random within %d", trial), paretomask (a), plain_within (a));
    [fa, fb] = paretomask (a, b);
    [ea, eb] = plain_across (a, plain_within (a), b);
    failures += expect_equal (sprintf ("random across %d", trial), [fa; fb], [ea; eb]);
  endfor

  failures += expect_error ("paretomask ()", "paretomask: Not enough input arguments.");
  failures += expect_error ("[a, b, c] = paretomask ()", "paretomask: Not enough input arguments.");
  failures += expect_error ("paretomask (ones (2), ones (2, 3))", ...
                           "paretomask: The number of columns must agree");
  failures += expect_error ("[a, b, c] = paretomask (ones (2))", ...
                           "paretomask: Too many output arguments.");
  failures += expect_error ("paretomask (single ([1 2]))", ...
                           "paretomask: Input 1 must be a real, full double matrix.");
  failures += expect_error ("paretomask ([1 2], int32 ([1 2]))", ...
                           "paretomask: Input 2 must be a real, full double matrix.");
  failures += expect_error ("paretomask ([1 2i])", ...
                           "paretomask: Input 1 must be a real, full double matrix.");
  failures += expect_error ("paretomask (sparse ([1 2]))", ...
                           "paretomask: Input 1 must be a real, full double matrix.");
  printf ("paretomask in Octave: %d failed\n", failures);
endfunction

function flags = plain_within (x)
  m = rows (x);
  flags = ones (m, 1);
  for r = 1:m
    le = all (x <= x(r, :), 2);
    lt = any (x < x(r, :), 2);
    same = all (x == x(r, :), 2);
    if (any (le & lt) || any (same(1:r-1)))
      flags(r) = 0;
    endif
  endfor
endfunction

function [fa, fb] = plain_across (a, fa, b)
  fb = ones (rows (b), 1);
  for i = 1:rows (a)
    for j = 1:rows (b)
      if (fa(i) == 0)
        break;
      endif
      if (fb(j) == 0)
        continue;
      endif
      if (all (a(i, :) >= b(j, :)) && ! all (a(i, :) == b(j, :)))
        fa(i) = 0;
      endif
      if (all (b(j, :) >= a(i, :)))
        fb(j) = 0;
      endif
    endfor
  endfor
endfunction
