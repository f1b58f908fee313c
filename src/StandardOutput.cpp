#include "StandardOutput.h"

#include <cerrno>
#include <iostream>
#include <streambuf>

#include "platform/Platform.h"

namespace {

int firstError = 0;
FILE* reportStream = stdout;

// std::cout's buffer once the report has a stream of its own: characters go
// straight to that stream, and a flush of std::cout flushes it. A short write
// or a failed flush makes std::cout fail, as it would on stdout.
class ReportBuffer : public std::streambuf {
public:
    explicit ReportBuffer(FILE* stream) : stream(stream) {}

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
        return std::fputc(c, stream) == EOF ? traits_type::eof() : c;
    }
    std::streamsize xsputn(const char* data, std::streamsize size) override {
        return static_cast<std::streamsize>(
            std::fwrite(data, 1, static_cast<size_t>(size), stream));
    }
    int sync() override { return std::fflush(stream) == 0 ? 0 : -1; }

private:
    FILE* stream;
};

}  // namespace

void TakeReportChannel() {
    reportStream = Platform::TakeStandardOutput();
    if (reportStream == stdout) return;
    // Never destroyed: the C++ runtime still flushes std::cout as the process ends.
    std::cout.rdbuf(new ReportBuffer(reportStream));
}

FILE* ReportStream() { return reportStream; }

// Report lines go through std::cout and log lines through the report's C stream,
// so both are asked.
void NoteStandardOutputState() {
    if (firstError == 0 && (std::cout.fail() || std::ferror(reportStream))) {
        firstError = errno != 0 ? errno : EIO;
    }
}

int StandardOutputError() { return firstError; }
