#pragma once

#include <QString>

/// Who signed this build: "team <id>" or the no-team text, and "cdhash <hex>" — on Linux the SHA-256 of
/// the executable file. Computed once per process.
QString codeIdentity();
