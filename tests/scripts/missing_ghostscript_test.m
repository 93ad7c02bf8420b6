function failures = missing_ghostscript_test (support)
  % Saves the demo picture with gnuplot but no Ghostscript on the search path: the
  % error must name the package to install, and no picture may be left behind.
  % SUPPORT is the folder of the demo's helper functions. Returns the failure count.
  failures = 0;
  addpath (support);
  gnuplot = file_in_path (getenv ("PATH"), "gnuplot");
  failures += expect_equal ("gnuplot found for the test", isempty (gnuplot), false);
  bin = tempname ();
  mkdir (bin);
  picture = fullfile (bin, "demo.png");
  path_before = getenv ("PATH");
  confirm_recursive_rmdir (false, "local");
  unwind_protect
    symlink (gnuplot, fullfile (bin, "gnuplot"));
    setenv ("PATH", bin);
    message = "";
    try
      save_demo_picture (rand (20, 2), ones (20, 1), rand (5), picture);
    catch err
      message = err.message;
    end_try_catch
    failures += expect_equal ("the error names the package", ...
                              ! isempty (strfind (message, "Debian package ghostscript")), true);
    failures += expect_equal ("no picture without Ghostscript", isfile (picture), false);
  unwind_protect_cleanup
    setenv ("PATH", path_before);
    rmdir (bin, "s");
  end_unwind_protect
  printf ("demo picture without Ghostscript: %d failed\n", failures);
endfunction
