function failed = expect_plugin_checks (checks, plugin)
  % Runs each check in CHECKS (shell commands that take a plug-in's file: its exports and
  % libraries, its machine code) on a built plug-in, so that a build route that lost the
  % shipped flags shows. Returns 1 (and says why) when any fails, else 0.
  failed = 0;
  for k = 1:numel (checks)
    [status, output] = system ([checks{k} ' "' plugin '"']);
    if (status != 0)
      printf ("FAILED: %s on %s\n%s", checks{k}, plugin, output);
      failed = 1;
    endif
  endfor
endfunction
