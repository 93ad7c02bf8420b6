function failures = package_install_test (archive, checks)
  % Installs the package archive with pkg into a throwaway prefix and package lists
  % (the user's own packages stay untouched), runs the binary CHECKS (see
  % expect_plugin_checks) on the plug-ins, then runs both functions from there; returns
  % the number of failed checks.
  failures = 0;
  scratch = tempname ();
  mkdir (scratch);
  confirm_recursive_rmdir (false, "local");
  pkg ("prefix", fullfile (scratch, "packages"), fullfile (scratch, "arch"));
  pkg ("local_list", fullfile (scratch, "local_list"));
  pkg ("global_list", fullfile (scratch, "global_list"));
  name = "";
  unwind_protect
    pkg ("install", "-local", archive);
    installed = pkg ("list");
    failures += expect_equal ("one package installed", numel (installed), 1);
    name = installed{1}.name;
    pkg ("load", name);

    % pkg puts the help files and the compiled plug-ins in different folders; the
    % plug-ins must be what a call reaches, and the help files what help reads.
    for fn = {"paretomask", "rowdist"}
      where = which (fn{1});
      failures += expect_equal (["calls reach the plug-in: " fn{1}], ...
                         strncmp (where, scratch, numel (scratch)) && ...
                         strcmp (where(end-3:end), ".mex"), true);
      failures += expect_plugin_checks (checks, where);
      text = get_help_text (fn{1});
      failures += expect_equal (["help reads the help file: " fn{1}], ...
                         ! isempty (strfind (text, [upper(fn{1}) "  "])), true);
      [passed, total] = test (fn{1}, "quiet", stdout);
      failures += expect_equal (["self-tests of the installed " fn{1}], ...
                         total > 0 && passed == total, true);
    endfor
    failures += paretomask_host_test ();
    failures += rowdist_host_test ();
  unwind_protect_cleanup
    if (! isempty (name))
      pkg ("unload", name);
    endif
    rmdir (scratch, "s");
  end_unwind_protect
  printf ("package %s in Octave: %d failed\n", archive, failures);
endfunction
