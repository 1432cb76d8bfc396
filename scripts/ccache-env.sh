# Sourced by the build scripts (with $here set to the checkout): compile through ccache when it is
# installed. Paths are hashed relative to the checkout (CCACHE_BASEDIR) and the build folder's own
# path is left out of the hash (CCACHE_NOHASHDIR), so that another clone of the repository, such as
# the fresh clone CI tests, hits the same cache. (Debug information then names the folder of the
# clone that filled the cache.)
# ORNIVO_LAUNCHER holds the CMake arguments that use ccache; it is empty without ccache.
ORNIVO_LAUNCHER=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$here"
  export CCACHE_NOHASHDIR=1
  ORNIVO_LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
