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
%   with "mex -setup C++" (MSVC, Intel oneAPI, MinGW-w64, GCC or Clang);
%   Octave uses the compiler that mkoctfile was configured with. Results must
%   not depend on the compiler, so every build passes the flags listed in
%   cmake/shipped_flags.txt: no contraction into fused multiply-add, no
%   fast-math. With MinGW-w64 the wider instruction sets are built only if
%   the assembler can make their stack moves safe for Windows (binutils 2.38
%   or later); otherwise the plug-ins run the baseline code everywhere.
%
%   See also PARETOMASK, ROWDIST.

root = fileparts(mfilename('fullpath'));
if nargin < 1 || isempty(outdir)
  outdir = fullfile(root, 'dist', 'host');
end
outdir = absoluteFolder(outdir);

% The compilers may leave object files in the working folder; they work in a scratch
% folder instead, kept out of the user's folders.
scratch = tempname();
mkdir(scratch);
here = pwd;
cd(scratch);
cleanup = onCleanup(@() leaveScratch(here, scratch));
flags = compilerFlags(root);

% Each plug-in: its gateway folder, then the folder of its logic.
plugins = {'paretomask', 'dominance'; 'rowdist', 'distance'};
for p = 1:size(plugins, 1)
  name = plugins{p, 1};
  sources = [cppFiles(root, name), cppFiles(root, plugins{p, 2}), cppFiles(root, 'common')];
  clearLoaded(name);
  fprintf('Building %s from %d source files\n', name, numel(sources));
  if isOctave()
    compileInOctave(name, sources, root, outdir, flags);
  else
    compileInMatlab(name, sources, root, outdir, flags);
  end
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
% Every C++ source of a folder and of its subfolders, so that files added later are built
% without edits here.
listing = dir(fullfile(root, folder, '*.cpp'));
names = sort({listing.name});
files = cell(1, numel(names));
for k = 1:numel(names)
  files{k} = fullfile(root, folder, names{k});
end
entries = dir(fullfile(root, folder));
subfolders = sort({entries([entries.isdir] & ~strncmp({entries.name}, '.', 1)).name});
for k = 1:numel(subfolders)
  files = [files, cppFiles(root, fullfile(folder, subfolders{k}))];
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

function leaveScratch(here, scratch)
cd(here);
if isOctave()
  confirm_recursive_rmdir(false, 'local');
end
rmdir(scratch, 's');
end

function flags = compilerFlags(root)
% Octave: the value for CXXFLAGS, which mkoctfile takes only from the environment: the
% current flags (the user's, or Octave's defaults with their optimisation level) extended.
% MATLAB: the mex argument that extends the selected compiler's flags. MSVC and Intel's
% compilers on Windows take MSVC's flags; MinGW-w64, GCC and Clang take GCC's.
if isOctave()
  flags = [strtrim(mkoctfile('-p', 'CXXFLAGS')) ' -std=c++17 ' shippedFlags(root, 'gnu')];
  if ~isempty(strfind(computer(), 'mingw'))
    flags = [flags ' ' mingwFlags(@(extra) compilesInOctave([flags ' ' extra]))];
  end
  return
end
compiler = mex.getCompilerConfigurations('C++', 'Selected');
if ispc() && ~isempty(compiler) && any(strcmpi(compiler(1).Manufacturer, {'Microsoft', 'Intel'}))
  flags = ['COMPFLAGS=$COMPFLAGS /std:c++17 ' shippedFlags(root, 'msvc')];
else
  flags = ['CXXFLAGS=$CXXFLAGS -std=c++17 ' shippedFlags(root, 'gnu')];
  if ispc()
    flags = [flags ' ' mingwFlags(@(extra) compilesInMatlab([flags ' ' extra]))];
  end
end
end

function compileInOctave(name, sources, root, outdir, flags)
% The environment is restored afterwards.
previous = getenv('CXXFLAGS');
restore = onCleanup(@() restoreVariable('CXXFLAGS', previous));
setenv('CXXFLAGS', flags);
mex(['-I' root], '-o', fullfile(outdir, [name '.' mexext()]), sources{:});
end

function compileInMatlab(name, sources, root, outdir, flags)
mex('-outdir', outdir, '-output', name, ['-I' root], flags, sources{:});
end

function flags = shippedFlags(root, family)
% The flags every build of the plug-ins passes, from the one list all build routes read.
file = fullfile(root, 'cmake', 'shipped_flags.txt');
text = fileread(file);
line = regexp(text, ['^' family ':[ \t]*([^\r\n]*)'], 'tokens', 'once', 'lineanchors');
if isempty(line) || isempty(strtrim(line{1}))
  error('build_plugins:flags', '%s gives no flags for %s.', file, family);
end
flags = strtrim(line{1});
end

function flags = mingwFlags(compiles)
% GCC may spill AVX registers to the stack with aligned moves, while Windows aligns the
% stack to 16 bytes only: random crashes. Assemblers from binutils 2.38 on can turn those
% moves into unaligned ones; with an older one the wider tiers are left out.
unaligned = '-Wa,-muse-unaligned-vector-move';
if compiles(unaligned)
  flags = unaligned;
else
  flags = '-DTIER_BASELINE_ONLY';
  warning('build_plugins:baselineOnly', ['The assembler lacks %s: the plug-ins will ' ...
          'use the baseline instruction set only. Binutils 2.38 or later avoids this.'], unaligned);
end
end

function ok = compilesInOctave(flags)
previous = getenv('CXXFLAGS');
restore = onCleanup(@() restoreVariable('CXXFLAGS', previous));
setenv('CXXFLAGS', flags);
% A failed compile is an answer here, not something to warn about.
state = warning();
quiet = onCleanup(@() warning(state));
warning('off', 'all');
[~, status] = mkoctfile('-c', probeSource());
ok = status == 0;
end

function ok = compilesInMatlab(flags)
try
  mex('-silent', '-c', flags, probeSource());
  ok = true;
catch
  ok = false;
end
end

function source = probeSource()
% A one-line source in the scratch folder the build works in.
source = fullfile(pwd, 'flag_probe.cpp');
fid = fopen(source, 'w');
fprintf(fid, 'int flagProbe() { return 0; }\n');
fclose(fid);
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
