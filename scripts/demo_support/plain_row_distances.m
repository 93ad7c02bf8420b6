function d = plain_row_distances (x)
  % Euclidean distances between all rows of x, summing the squared differences one
  % column at a time in column order, as the plug-in does.
  m = rows (x);
  s = zeros (m);
  for k = 1:columns (x)
    diff = x(:, k) - x(:, k).';
    s += diff .* diff;
  endfor
  d = sqrt (s);
  d(1:m+1:end) = 0;
endfunction
