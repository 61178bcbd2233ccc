// libFuzzer target over everything that reads bytes from outside: restic's JSON (line by line and whole
// documents), the line splitter, restic's standard error, and the control socket's request lines.
#include "control/control_request.h"
#include "restic/line_splitter.h"
#include "restic/restic_error.h"
#include "restic/restic_json.h"
#include "restic/restore_problem.h"

#include <cstddef>
#include <cstdint>
#include <deque>

using namespace keldoran;

namespace {

// The input cut into chunks at the positions its own bytes choose, as a pipe would deliver it.
std::deque<QByteArray> splitIntoLines(QByteArrayView input) {
    LineSplitter splitter(4096);
    std::deque<QByteArray> lines;
    qsizetype position = 0;
    while (position < input.size()) {
        const auto length = std::min<qsizetype>(1 + uchar(input[position]) % 97, input.size() - position);
        splitter.feed(input.sliced(position, length), lines);
        position += length;
    }
    if (auto tail = splitter.finish()) {
        lines.push_back(std::move(*tail));
    }
    return lines;
}

template <typename Decode> void decodeDocument(Decode decode) {
    try {
        decode();
    } catch (const ResticError&) {
        // Undecodable input fails as a value; anything else escapes and is a finding.
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const auto& line : splitIntoLines(input)) {
        QString error;
        ResticJson::decodeBackupEvent(line, &error);
        ResticJson::decodeRestoreEvent(line, &error);
        ResticJson::decodeLsEntry(line, &error);
        ResticJson::decodeExitErrorMessage(line);
        ResticJson::decodeTimestamp(line, &error);
        ControlRequest::parse(line);
    }
    decodeDocument([&] { ResticJson::decodeSnapshots(input); });
    decodeDocument([&] { ResticJson::decodeRepositoryStats(input); });
    decodeDocument([&] { ResticJson::decodeInitResult(input); });
    const auto text = QString::fromUtf8(input);
    RestoreProblem::fromStandardError(text);
    resticFatalMessage(text);
    return 0;
}
