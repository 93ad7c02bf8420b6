function save_demo_picture (cloud, flags, table, file)
  % Saves a PNG of two panels: a 2-D point cloud with its non-dominated rows
  % highlighted, and a distance table as a heat map. Needs no display.
  warning ("off", "Octave:gnuplot-graphics");
  graphics_toolkit ("gnuplot");
  fig = figure ("visible", "off", "position", [0 0 1000 450]);

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

  print (fig, "-dpng", "-r100", file);
  close (fig);
endfunction
