# Most of a translation unit's compile time goes to parsing the same standard
# and toolkit headers again; precompiled once per set, they cost a fraction.
# A set holds only headers that every target using it may include anyway, so
# the layers' limits stay what the compiler enforces. The sets never replace a
# file's own includes: with TOLVIKA_PCH off every file still builds alone.
option(TOLVIKA_PCH "Precompile the common standard and toolkit headers" ON)

set(TOLVIKA_PCH_STD <algorithm> <cstdint> <cstdio> <functional> <memory> <optional> <stdexcept> <string> <vector>)
set(TOLVIKA_PCH_CORE ${TOLVIKA_PCH_STD} <QByteArray> <QObject> <QString> <QStringList>)
set(TOLVIKA_PCH_GUI ${TOLVIKA_PCH_CORE} <QColor> <QFont> <QImage> <QPainter>)
set(TOLVIKA_PCH_WIDGETS ${TOLVIKA_PCH_GUI} <QApplication> <QWidget>)
set(TOLVIKA_PCH_TEST ${TOLVIKA_PCH_WIDGETS} <QTest> <gtest/gtest.h>)

# `target` precompiles the named set for itself and for the targets that
# share it (tolvika_share_precompiled); they must have the same compile flags.
function(tolvika_precompile target set)
  if(TOLVIKA_PCH)
    target_precompile_headers(${target} PRIVATE ${TOLVIKA_PCH_${set}})
  endif()
endfunction()

function(tolvika_share_precompiled target holder)
  if(TOLVIKA_PCH)
    target_precompile_headers(${target} REUSE_FROM ${holder})
  endif()
endfunction()

# The tools and benchmarks build with the program's own flags and so share its
# set; a fuzz build instruments the layers alone, and there each keeps its own.
function(tolvika_share_precompiled_unless_fuzz target holder set)
  if(NOT TOLVIKA_FUZZ)
    tolvika_share_precompiled(${target} ${holder})
  elseif(set)
    tolvika_precompile(${target} ${set})
  endif()
endfunction()
