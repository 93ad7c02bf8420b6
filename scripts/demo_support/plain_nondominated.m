function flags = plain_nondominated (x)
  % Flags of the rows of x that no other row dominates (<= in every column, < in at
  % least one) and that repeat no earlier row, worked out over all pairs at once.
  m = rows (x);
  no_worse = true (m);   % no_worse(i, j): row i <= row j in every column
  better = false (m);    % better(i, j): row i < row j in some column
  for k = 1:columns (x)
    c = x(:, k);
    no_worse &= c <= c.';
    better |= c < c.';
  endfor
  dominated = any (no_worse & better, 1);
  same = no_worse & no_worse.';
  repeats = any (triu (same, 1), 1);
  flags = double (! (dominated | repeats)).';
endfunction
