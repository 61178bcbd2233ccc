#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <QString>
#include <utility>

namespace keldoran {

/// The text each value of an enumeration is stored or logged as, in one table per enumeration: a
/// stored text that names no value reads as none.
template <typename Enum, std::size_t count> class RawValues {
public:
    constexpr explicit RawValues(std::array<std::pair<Enum, const char*>, count> entries)
        : entries_(entries) {}

    QString text(Enum value) const {
        for (const auto& [entry, raw] : entries_) {
            if (entry == value) {
                return QLatin1String(raw);
            }
        }
        return {};
    }

    std::optional<Enum> parse(const QString& raw) const {
        for (const auto& [entry, text] : entries_) {
            if (raw == QLatin1String(text)) {
                return entry;
            }
        }
        return std::nullopt;
    }

private:
    std::array<std::pair<Enum, const char*>, count> entries_;
};

} // namespace keldoran
