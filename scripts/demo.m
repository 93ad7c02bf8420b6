% A short tour of paretomask and rowdist in Octave: small samples, then each plug-in
% timed against a plain Octave computation of the same result on generated data, and
% a picture saved to docs/demo.png. Run by `make demo`; optional arguments name the
% folder of the plug-ins (default: dist/octave) and the picture file (the tests save
% it in their build tree, so that a test run leaves the tracked picture alone).
here = fileparts (mfilename ("fullpath"));
root = fileparts (here);
args = argv ();
plugins = fullfile (root, "dist", "octave");
picture = fullfile (root, "docs", "demo.png");
if (numel (args) >= 1)
  plugins = args{1};
endif
if (numel (args) >= 2)
  picture = args{2};
endif
addpath (fullfile (here, "demo_support"));
addpath (plugins);
printf ("paretomask and rowdist in Octave %s, plug-ins from %s\n\n", OCTAVE_VERSION, plugins);

sample = [1 2; 2 1; 2 2; 1 2];
printf ("paretomask (%s) =\n", mat2str (sample));
disp (paretomask (sample));
printf ("  row 3 is dominated by row 1; row 4 repeats row 1\n\n");
[fa, fb] = paretomask ([1 3; 3 1], [2 2; 1 3; 0 5; 2 3]);
printf ("[fa, fb] = paretomask ([1 3; 3 1], [2 2; 1 3; 0 5; 2 3]): fa = %s, fb = %s\n\n", ...
        mat2str (fa), mat2str (fb));
printf ("rowdist ([0 0; 3 4; 6 8]) =\n");
disp (rowdist ([0 0; 3 4; 6 8]));
printf ("\n");

rand ("seed", 7);
randn ("seed", 7);
runs = 3;

% Costs near a sphere, rounded so that ties and repeated rows occur: many rows stand.
costs = abs (randn (4000, 3));
costs = round (100 * costs ./ sqrt (sum (costs .^ 2, 2)) .* (1 + 0.05 * rand (4000, 1)));
flags = paretomask (costs);
expected = plain_nondominated (costs);
printf ("paretomask on %d x %d integer rows, %d of them repeats (%d rows stand):\n", ...
        rows (costs), columns (costs), rows (costs) - rows (unique (costs, "rows")), sum (flags));
printf ("  plug-in      %9.2f ms\n", 1e3 * best_time (@() paretomask (costs), runs));
printf ("  plain Octave %9.2f ms\n", 1e3 * best_time (@() plain_nondominated (costs), runs));
printf ("  agreement: %d of %d flags equal\n\n", sum (flags == expected), numel (flags));
agree = isequal (flags, expected);

points = randn (2000, 8);
table = rowdist (points);
expected = plain_row_distances (points);
printf ("rowdist on %d x %d rows:\n", rows (points), columns (points));
printf ("  plug-in      %9.2f ms\n", 1e3 * best_time (@() rowdist (points), runs));
printf ("  plain Octave %9.2f ms\n", 1e3 * best_time (@() plain_row_distances (points), runs));
printf ("  agreement: %d of %d entries bit-identical\n\n", sum (table(:) == expected(:)), numel (table));
agree &= isequal (table, expected);

% Points between two quarter circles: the non-dominated ones lie along the inner one.
angle = (pi / 2) * rand (600, 1);
radius = 1 + 0.6 * rand (600, 1) .^ 2;
cloud = [radius .* cos(angle), radius .* sin(angle)];
% Three groups of points, listed group by group, show up as blocks in the table.
centres = [0 0 0 0; 4 0 0 0; 0 5 2 0];
groups = kron (centres, ones (50, 1)) + randn (150, 4);
if (! isfolder (fileparts (picture)))
  mkdir (fileparts (picture));
endif
save_demo_picture (cloud, paretomask (cloud), rowdist (groups), picture);
printf ("picture saved to %s\n", picture);

if (! agree)
  error ("demo: a plug-in disagrees with the plain Octave computation");
endif
