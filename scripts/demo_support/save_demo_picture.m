function save_demo_picture (cloud, flags, table, file)
  % Saves a PNG of two panels: a 2-D point cloud with its non-dominated rows
  % highlighted, and a distance table as a heat map. Needs no display.
  %
  % Octave draws with gnuplot, lays out text with a font and writes PNG through
  % Ghostscript. Without one of them its errors do not say what to install (for a
  % missing font: a graphics handle that cannot be created), so each step says here
  % which Debian package it needs.
  warning ("off", "Octave:gnuplot-graphics");
  try
    graphics_toolkit ("gnuplot");
  catch err
    missing_package ("gnuplot", "gnuplot-nox", err);
  end_try_catch

  try
    fig = figure ("visible", "off", "position", [0 0 1000 450]);
    draw_panels (cloud, flags, table);
  catch err
    if (! isempty (regexp (err.message, "font|graphics handle", "once")))
      missing_package ("a font", "fonts-freefont-otf", err);
    endif
    rethrow (err);
  end_try_catch

  % An earlier picture must not pass for this one.
  if (isfile (file))
    delete (file);
  endif
  unwind_protect
    try
      print (fig, "-dpng", "-r100", file);
    catch err
      if (strcmp (err.identifier, "Octave:print:nogs"))
        missing_package ("Ghostscript", "ghostscript", err);
      endif
      rethrow (err);
    end_try_catch
  unwind_protect_cleanup
    close (fig);
  end_unwind_protect
  if (! isfile (file))
    error ("demo: print reported no error but wrote no picture to %s", file);
  endif
endfunction

function draw_panels (cloud, flags, table)
  subplot (1, 2, 1);
  front = sortrows (cloud(flags == 1, :));
  plot (cloud(:, 1), cloud(:, 2), ".", "color", [0.55 0.55 0.55], "markersize", 9, ...
        front(:, 1), front(:, 2), "o-", "color", [0.85 0.2 0.1], ...
        "markerfacecolor", [0.85 0.2 0.1], "linewidth", 1.5);
  axis ("square");
  xlabel ("cost 1 (smaller is better)");
  ylabel ("cost 2 (smaller is better)");
  title (sprintf ("paretomask: %d of %d points stand", numel (front(:, 1)), rows (cloud)));
  legend ("all points", "non-dominated", "location", "northeast");

  subplot (1, 2, 2);
  imagesc (table);
  axis ("square");
  colorbar ();
  xlabel ("row");
  ylabel ("row");
  title (sprintf ("rowdist: distances between %d points in groups", rows (table)));
endfunction

function missing_package (what, package, err)
  error ("demo:missingPackage", ...
         "demo: the picture needs %s, which Octave could not use; install the Debian package %s (scripts/install-deps.sh does). Octave said: %s", ...
         what, package, err.message);
endfunction
