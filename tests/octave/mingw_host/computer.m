function c = computer ()
  % Stands in for Octave's computer() in build_plugins_mingw_test: the host type of
  % Octave for Windows, which builds with MinGW-w64.
  c = "x86_64-w64-mingw32";
endfunction
