#pragma once

#include <QString>

namespace keldoran {

/// Whether `name` follows the S3 bucket naming rules: 3 to 63 lowercase letters, digits, dots and
/// hyphens, beginning and ending with a letter or digit, no two dots (or a dot and a hyphen) side by
/// side, and not an IP address. Checked before any server is contacted.
bool isValidBucketName(const QString& name);

} // namespace keldoran
