function failures = build_plugins_mingw_test ()
  % Runs the in-host build script as Octave for Windows would, with MinGW-w64: a
  % computer() ahead of Octave's reports that host, and a stand-in compiler records each
  % command and, when asked, rejects the assembler option that makes wide stack moves
  % unaligned. Every compile must get the shipped flags, and either that option or, with
  % a warning, the baseline tier only. Returns the number of failed checks.
  here = fileparts (mfilename ("fullpath"));
  doubles = fullfile (here, "mingw_host");
  shipped = regexp (fileread (fullfile (here, "..", "..", "cmake", "shipped_flags.txt")), ...
                    '^gnu:\s*([^\r\n]*)', "tokens", "once", "lineanchors");
  shipped = strsplit (strtrim (shipped{1}));
  unaligned = "-Wa,-muse-unaligned-vector-move";
  baseline_only = "-DTIER_BASELINE_ONLY";

  failures = 0;
  scratch = tempname ();
  mkdir (scratch);
  confirm_recursive_rmdir (false, "local");
  log = fullfile (scratch, "compiler.log");
  variables = {"CXX", "DL_LD", "LD_CXX", "COMPILER_LOG", "OLD_ASSEMBLER"};
  saved = cellfun (@getenv, variables, "UniformOutput", false);
  warning ("off", "Octave:shadowed-function", "local");
  addpath (doubles);
  unwind_protect
    for name = {"CXX", "DL_LD", "LD_CXX"}
      setenv (name{1}, fullfile (doubles, "g++"));
    endfor
    setenv ("COMPILER_LOG", log);

    setenv ("OLD_ASSEMBLER", "");
    lastwarn ("");
    build_plugins (fullfile (scratch, "recent"));
    compiles = plugin_compiles (log);
    failures += expect_equal ("recent assembler: every source compiled", numel (compiles), ...
                              expected_sources (here));
    failures += expect_equal ("recent assembler: shipped flags", ...
                              every (compiles, shipped), true);
    failures += expect_equal ("recent assembler: unaligned wide moves", ...
                              every (compiles, {unaligned}), true);
    failures += expect_equal ("recent assembler: every tier", ...
                              any_has (compiles, baseline_only), false);
    [~, id] = lastwarn ();
    failures += expect_equal ("recent assembler: no warning", id, "");

    delete (log);
    setenv ("OLD_ASSEMBLER", "1");
    build_plugins (fullfile (scratch, "old"));
    compiles = plugin_compiles (log);
    failures += expect_equal ("old assembler: shipped flags", every (compiles, shipped), true);
    failures += expect_equal ("old assembler: baseline tier only", ...
                              every (compiles, {baseline_only}), true);
    failures += expect_equal ("old assembler: no assembler option", ...
                              any_has (compiles, unaligned), false);
    [~, id] = lastwarn ();
    failures += expect_equal ("old assembler: warned", id, "build_plugins:baselineOnly");
  unwind_protect_cleanup
    rmpath (doubles);
    for k = 1:numel (variables)
      setenv (variables{k}, saved{k});
    endfor
    rmdir (scratch, "s");
  end_unwind_protect
  printf ("build script for MinGW in Octave: %d failed\n", failures);
endfunction

function lines = plugin_compiles (log)
  % The compile commands of the plug-ins' sources; the script's own flag probe aside.
  lines = strsplit (strtrim (fileread (log)), "\n");
  lines = lines(cellfun (@(line) any (strcmp (strsplit (line), "-c")), lines));
  lines = lines(cellfun (@isempty, strfind (lines, "flag_probe")));
endfunction

function n = expected_sources (here)
  root = fullfile (here, "..", "..");
  n = cpp_count (root, "paretomask") + cpp_count (root, "dominance") ...
      + cpp_count (root, "rowdist") + cpp_count (root, "distance") ...
      + 2 * cpp_count (root, "common");
endfunction

function n = cpp_count (root, folder)
  % The C++ sources of a folder and of its subfolders.
  n = numel (dir (fullfile (root, folder, "*.cpp")));
  entries = dir (fullfile (root, folder));
  for entry = entries([entries.isdir] & ! strncmp ({entries.name}, ".", 1))'
    n += cpp_count (root, fullfile (folder, entry.name));
  endfor
endfunction

function yes = every (lines, flags)
  yes = ! isempty (lines) && all (cellfun (@(line) all (cellfun (@(flag) ...
          any (strcmp (strsplit (line), flag)), flags)), lines));
endfunction

function yes = any_has (lines, flag)
  yes = any (cellfun (@(line) any (strcmp (strsplit (line), flag)), lines));
endfunction
