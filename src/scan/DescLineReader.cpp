#include "scan/DescLineReader.h"

namespace kv {

namespace {
constexpr std::size_t kChunk = 16384;
constexpr char kEndOfFile = 26;
}  // namespace

DescLineReader::DescLineReader(ByteSource& source, std::size_t maxLine)
    : source_(source), maxLine_(maxLine), chunk_(kChunk) {}

bool DescLineReader::fill() {
    if (ended_) return false;
    if (at_ < have_) return true;
    have_ = source_.readAt(pos_, chunk_.data(), chunk_.size());
    pos_ += have_;
    at_ = 0;
    if (have_ == 0) ended_ = true;
    return !ended_;
}

int DescLineReader::peek() {
    if (!fill()) return -1;
    if (chunk_[at_] == kEndOfFile) {
        ended_ = true;
        return -1;
    }
    return static_cast<unsigned char>(chunk_[at_]);
}

bool DescLineReader::atEnd() { return peek() < 0; }

bool DescLineReader::readLine(std::string& line) {
    line.clear();
    if (peek() < 0) return false;
    for (;;) {
        const int c = peek();
        if (c < 0) return true;
        ++at_;
        if (c == '\n') return true;
        if (c == '\r') {
            if (peek() == '\n') ++at_;
            return true;
        }
        if (line.size() < maxLine_) line.push_back(static_cast<char>(c));
    }
}

}  // namespace kv
