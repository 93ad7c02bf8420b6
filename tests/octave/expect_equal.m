function failed = expect_equal (what, got, expected)
  % Returns 1 (and says which check) when GOT differs from EXPECTED, else 0.
  failed = ! isequal (got, expected);
  if (failed)
    printf ("FAILED: %s\n", what);
  endif
endfunction
