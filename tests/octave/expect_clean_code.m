function failed = expect_clean_code (code_check, plugin)
  % Runs the machine-code check (a shell command that takes the plug-in's file) on a
  % built plug-in: no fused multiply-add, so the build passed the flags against
  % contraction. Returns 1 (and says why) when it fails, else 0.
  [status, output] = system ([code_check ' "' plugin '"']);
  failed = status != 0;
  if (failed)
    printf ("FAILED: machine code of %s\n%s", plugin, output);
  endif
endfunction
