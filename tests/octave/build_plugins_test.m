function failures = build_plugins_test (checks)
  % Runs the in-host build script into a fresh folder, named relative to another
  % working folder, runs the binary CHECKS (see expect_plugin_checks) on the plug-ins,
  % then runs both functions from there; returns the number of failed checks.
  failures = 0;
  scratch = tempname ();
  mkdir (scratch);
  confirm_recursive_rmdir (false, "local");
  here = pwd ();
  user_flags = getenv ("CXXFLAGS");
  unwind_protect
    cd (scratch);
    setenv ("CXXFLAGS", "-O2 -g0");
    out = build_plugins ("plugins");

    % The script leaves the caller where it was, as it was.
    failures += expect_equal ("absolute folder returned", out, fullfile (scratch, "plugins"));
    failures += expect_equal ("working folder kept", pwd (), scratch);
    failures += expect_equal ("nothing else in the working folder", ls_names (scratch), {"plugins"});
    failures += expect_equal ("CXXFLAGS restored", getenv ("CXXFLAGS"), "-O2 -g0");
    failures += expect_equal ("plug-ins beside their help files", ls_names (out), ...
                       {"paretomask.m", "paretomask.mex", "rowdist.m", "rowdist.mex"});

    for plugin = {"paretomask.mex", "rowdist.mex"}
      failures += expect_plugin_checks (checks, fullfile (out, plugin{1}));
    endfor

    addpath (out);
    failures += expect_equal ("calls reach the new build", which ("paretomask"), ...
                       fullfile (out, "paretomask.mex"));
    failures += paretomask_host_test ();
    failures += rowdist_host_test ();

    % Building again over plug-ins that are loaded replaces them.
    build_plugins (out);
    failures += expect_equal ("rebuilt while loaded", paretomask ([1 2; 2 1; 2 2]), [1; 1; 0]);
  unwind_protect_cleanup
    cd (here);
    setenv ("CXXFLAGS", user_flags);
    rmdir (scratch, "s");
  end_unwind_protect
  printf ("build script in Octave: %d failed\n", failures);
endfunction

function names = ls_names (folder)
  listing = dir (folder);
  names = sort ({listing(! ismember ({listing.name}, {".", ".."})).name});
endfunction
