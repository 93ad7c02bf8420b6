function seconds = best_time (fn, runs)
  % The shortest wall-clock time of RUNS calls of FN: the least disturbed by other work.
  seconds = Inf;
  for r = 1:runs
    started = tic ();
    fn ();
    seconds = min (seconds, toc (started));
  endfor
endfunction
