function failures = paretomask_chunks_test ()
  % Flags of one matrix computed in pieces, as the help describes: paretomask on
  % consecutive chunks in two processes with parcellfun, then once more on the rows
  % that stand in their chunks, in their original order. Compared with one call on
  % the whole matrix; returns the number of failed checks.
  pkg load parallel
  failures = 0;
  rand ("seed", 11);
  trials = 60;
  mats = cell (trials, 1);
  task_mat = [];
  task_rows = {};
  for t = 1:trials
    m = 1 + mod (37 * t, 160);
    % Few distinct values, so ties and repeated rows are common.
    a = floor (4 * rand (m, mod (t, 4) + 1));
    % Repeats of earlier rows further down, mostly in other chunks.
    dst = 1 + floor (m * rand (4, 1));
    a(dst, :) = a(1 + floor (m * rand (4, 1)), :);
    a(rand (size (a)) < 0.03) = NaN;
    a(a == 0 & rand (size (a)) < 0.5) = -0;
    mats{t} = a;
    % Chunks of uneven size, some of a single row or none.
    cuts = [0, sort(floor ((m + 1) * rand (1, 1 + mod (t, 6)))), m];
    for c = 1:numel (cuts) - 1
      task_mat(end + 1) = t;
      task_rows{end + 1} = cuts(c) + 1:cuts(c + 1);
    endfor
  endfor

  stand_in_chunk = @(t, r) r(paretomask (mats{t}(r, :)) == 1);
  kept = parcellfun (2, stand_in_chunk, num2cell (task_mat), task_rows, ...
                     "UniformOutput", false, "VerboseLevel", 0);

  for t = 1:trials
    a = mats{t};
    survivors = [kept{task_mat == t}];
    flags = zeros (rows (a), 1);
    flags(survivors(paretomask (a(survivors, :)) == 1)) = 1;
    failures += expect_equal (sprintf ("chunked flags, trial %d", t), flags, paretomask (a));
  endfor
  printf ("paretomask in chunks with parcellfun: %d trials, %d chunks, %d failed\n", ...
          trials, numel (task_rows), failures);
endfunction
