#pragma once

#include <QByteArrayView>
#include <QString>

namespace keldoran {

/// A file name's bytes as text the way restic's JSON shows them: every byte that is not part of a
/// well-formed UTF-8 sequence becomes one U+FFFD. Names are handled as bytes; this is for showing
/// them and for matching them against what restic reported.
QString fileNameText(QByteArrayView name);

} // namespace keldoran
