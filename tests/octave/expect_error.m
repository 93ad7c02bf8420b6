function failed = expect_error (code, message)
  % Returns 1 unless evaluating CODE raises an error whose message is exactly MESSAGE.
  failed = true;
  try
    evalin ("caller", [code ";"]);
    printf ("FAILED: no error from %s\n", code);
  catch err
    failed = ! strcmp (err.message, message);
    if (failed)
      printf ("FAILED: %s gave '%s'\n", code, err.message);
    endif
  end_try_catch
endfunction
