#pragma once

#include <QString>

namespace keldoran {

/// A restic line of a type the system does not handle: its message_type, or the whole raw line when it
/// could not be decoded at all. Delivered like any other event; consumers ignore it.
struct UnrecognizedMessage {
    QString type;
    bool operator==(const UnrecognizedMessage&) const = default;
};

} // namespace keldoran
