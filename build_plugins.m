function outdir = build_plugins(outdir)
%BUILD_PLUGINS  Compiles paretomask and rowdist with this host's own mex command.
%
%   BUILD_PLUGINS compiles both plug-ins from the sources beside this file and
%   puts them, each beside its help file, into the folder dist/host under this
%   file's folder. Add that folder to the path to use them:
%
%      build_plugins
%      addpath(fullfile(pwd, 'dist', 'host'))
%
%   BUILD_PLUGINS(OUTDIR) puts them into OUTDIR instead, creating it if needed.
%   OUTDIR = BUILD_PLUGINS(...) returns the absolute path of the folder used.
%
%   Works in MATLAB and in GNU Octave. MATLAB needs a C++17 compiler chosen
%   with "mex -setup C++" (MSVC, MinGW-w64, GCC or Clang); Octave uses the
%   compiler that mkoctfile was configured with. Results must not depend on
%   the compiler, so floating-point contraction into fused multiply-add is
%   turned off (-ffp-contract=off for GCC and Clang; /fp:precise for MSVC).
%
%   See also PARETOMASK, ROWDIST.

root = fileparts(mfilename('fullpath'));
if nargin < 1 || isempty(outdir)
  outdir = fullfile(root, 'dist', 'host');
end
outdir = absoluteFolder(outdir);

% Each plug-in: its gateway folder, then the folder of its logic.
plugins = {'paretomask', 'dominance'; 'rowdist', 'distance'};
for p = 1:size(plugins, 1)
  name = plugins{p, 1};
  sources = [cppFiles(root, name), cppFiles(root, plugins{p, 2}), cppFiles(root, 'common')];
  clearLoaded(name);
  fprintf('Building %s from %d source files\n', name, numel(sources));
  compilePlugin(name, sources, root, outdir);
  copyfile(fullfile(root, name, [name '.m']), outdir);
end
rehash();
fprintf('Done. Use them with: addpath(''%s'')\n', outdir);
end

function folder = absoluteFolder(folder)
% The compilers run in another working folder, so a relative OUTDIR is resolved now.
if ~exist(folder, 'dir') && ~mkdir(folder)
  error('build_plugins:outdir', 'Cannot create the folder %s.', folder);
end
here = pwd;
cd(folder);
folder = pwd;
cd(here);
end

function files = cppFiles(root, folder)
% Every C++ source of a folder, so that files added later are built without edits here.
listing = dir(fullfile(root, folder, '*.cpp'));
names = sort({listing.name});
files = cell(1, numel(names));
for k = 1:numel(names)
  files{k} = fullfile(root, folder, names{k});
end
end

function clearLoaded(name)
% A plug-in still loaded from an earlier build would keep being called (and, on
% Windows, keeps its file locked).
if isOctave()
  clear('-f', name);
else
  clear(name);
end
end

function compilePlugin(name, sources, root, outdir)
% Octave's compiler may leave object files in the working folder; keep them out of
% the user's folders.
scratch = tempname();
mkdir(scratch);
here = pwd;
cd(scratch);
cleanup = onCleanup(@() leaveScratch(here, scratch));
if isOctave()
  compileInOctave(name, sources, root, outdir);
else
  compileInMatlab(name, sources, root, outdir);
end
end

function leaveScratch(here, scratch)
cd(here);
if isOctave()
  confirm_recursive_rmdir(false, 'local');
end
rmdir(scratch, 's');
end

function compileInOctave(name, sources, root, outdir)
% mkoctfile takes compiler flags only from the environment. The current flags (the
% user's, or Octave's defaults with their optimisation level) are kept and extended,
% and the environment is restored afterwards.
previous = getenv('CXXFLAGS');
restore = onCleanup(@() restoreVariable('CXXFLAGS', previous));
setenv('CXXFLAGS', [strtrim(mkoctfile('-p', 'CXXFLAGS')) ' -std=c++17 -ffp-contract=off']);
mex(['-I' root], '-o', fullfile(outdir, [name '.' mexext()]), sources{:});
end

function compileInMatlab(name, sources, root, outdir)
compiler = mex.getCompilerConfigurations('C++', 'Selected');
if ispc() && ~isempty(compiler) && strncmpi(compiler(1).ShortName, 'MSVC', 4)
  flags = 'COMPFLAGS=$COMPFLAGS /std:c++17 /fp:precise';
else
  flags = 'CXXFLAGS=$CXXFLAGS -std=c++17 -ffp-contract=off';
end
mex('-outdir', outdir, '-output', name, ['-I' root], flags, sources{:});
end

function restoreVariable(variable, value)
if isempty(value)
  unsetenv(variable);
else
  setenv(variable, value);
end
end

function yes = isOctave()
yes = exist('OCTAVE_VERSION', 'builtin') ~= 0;
end
