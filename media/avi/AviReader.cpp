#include "media/avi/AviReader.h"

#include "media/avi/AviWriter.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace avi {
namespace {

uint32_t Rd32(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}
uint64_t Rd64(const uint8_t* p) {
    return uint64_t(Rd32(p)) | uint64_t(Rd32(p + 4)) << 32;
}
// True when a chunk of `len` bytes at `at` reaches past `end`. Counted in 64 bits: on a 32-bit
// build `at + 8 + len` wraps for lengths near 4 GB and would let such a chunk through.
bool Overruns(size_t at, uint32_t len, size_t end) {
    return uint64_t(at) + 8 + len > end;
}
bool IsIndexChunk(uint32_t id) {
    return (id & 0xFFFF) == (uint32_t('i') | uint32_t('x') << 8);
}

const uint32_t kList = MakeFourCc('L', 'I', 'S', 'T');

std::string FourCcText(uint32_t f) {
    std::string s(4, ' ');
    for (int i = 0; i < 4; ++i) s[i] = char((f >> (8 * i)) & 0xFF);
    return s;
}

struct Parser {
    const uint8_t* data;
    size_t size;
    AviFileInfo& out;
    std::string& error;

    bool Fail(const std::string& why) {
        error = why;
        return false;
    }

    bool ParseStreamList(size_t begin, size_t end) {
        AviStreamInfo stream;
        bool haveHeader = false;
        for (size_t at = begin; at + 8 <= end;) {
            const uint32_t id = Rd32(data + at), len = Rd32(data + at + 4);
            if (Overruns(at, len, end)) return Fail("strl chunk overruns its list");
            const uint8_t* body = data + at + 8;
            if (id == MakeFourCc('s', 't', 'r', 'h')) {
                if (len < 48) return Fail("strh too short");
                stream.type = Rd32(body);
                stream.handler = Rd32(body + 4);
                stream.scale = Rd32(body + 20);
                stream.rate = Rd32(body + 24);
                stream.length = Rd32(body + 32);
                stream.suggestedBufferSize = Rd32(body + 36);
                stream.sampleSize = Rd32(body + 44);
                haveHeader = true;
            } else if (id == MakeFourCc('s', 't', 'r', 'f')) {
                stream.format.assign(body, body + len);
            } else if (id == MakeFourCc('i', 'n', 'd', 'x') && len >= 24) {
                const uint32_t inUse = Rd32(body + 4);
                if (body[0] != 4 || body[3] != 0) return Fail("indx is not an index of indexes");
                if (24 + uint64_t(inUse) * 16 > len) return Fail("indx claims more entries than it holds");
                for (uint32_t i = 0; i < inUse; ++i) {
                    const uint8_t* e = body + 24 + i * 16;
                    stream.superIndex.push_back({Rd64(e), Rd32(e + 8), Rd32(e + 12)});
                }
            }
            at += 8 + len + (len & 1);
        }
        if (!haveHeader) return Fail("stream list without strh");
        out.streams.push_back(std::move(stream));
        return true;
    }

    bool ParseHeaderList(size_t begin, size_t end) {
        for (size_t at = begin; at + 8 <= end;) {
            const uint32_t id = Rd32(data + at), len = Rd32(data + at + 4);
            if (Overruns(at, len, end)) return Fail("hdrl chunk overruns its list");
            const uint8_t* body = data + at + 8;
            if (id == MakeFourCc('a', 'v', 'i', 'h')) {
                if (len < 40) return Fail("avih too short");
                AviMainHeader& m = out.main;
                m.microSecPerFrame = Rd32(body);
                m.maxBytesPerSec = Rd32(body + 4);
                m.flags = Rd32(body + 12);
                m.totalFrames = Rd32(body + 16);
                m.streams = Rd32(body + 24);
                m.suggestedBufferSize = Rd32(body + 28);
                m.width = Rd32(body + 32);
                m.height = Rd32(body + 36);
            } else if (id == kList && len >= 4 && Rd32(body) == MakeFourCc('s', 't', 'r', 'l')) {
                if (!ParseStreamList(at + 12, at + 8 + len)) return false;
            } else if (id == kList && len >= 16 && Rd32(body) == MakeFourCc('o', 'd', 'm', 'l') &&
                       Rd32(body + 4) == MakeFourCc('d', 'm', 'l', 'h')) {
                out.odmlTotalFrames = Rd32(body + 12);
            }
            at += 8 + len + (len & 1);
        }
        return true;
    }

    bool ParseMovi(size_t begin, size_t end, uint32_t segment) {
        for (size_t at = begin; at + 8 <= end;) {
            const uint32_t id = Rd32(data + at), len = Rd32(data + at + 4);
            if (Overruns(at, len, end)) return Fail("movi chunk " + FourCcText(id) + " overruns the list");
            if (id == kList) {  // 'rec ' lists group chunks
                if (!ParseMovi(at + 12, at + 8 + len, segment)) return false;
            } else if (IsIndexChunk(id)) {
                const uint8_t* body = data + at + 8;
                if (len < 24 || body[0] != 2 || body[3] != 1)
                    return Fail(FourCcText(id) + " is not a standard index");
                AviStandardIndex index;
                index.offset = at;
                index.chunkId = Rd32(body + 8);
                index.baseOffset = Rd64(body + 12);
                const uint32_t inUse = Rd32(body + 4);
                if (24 + uint64_t(inUse) * 8 > len)
                    return Fail(FourCcText(id) + " claims more entries than it holds");
                for (uint32_t i = 0; i < inUse; ++i)
                    index.entries.push_back({Rd32(body + 24 + i * 8), Rd32(body + 28 + i * 8)});
                out.standardIndexes.push_back(std::move(index));
            } else {
                out.chunks.push_back({id, at, len, segment});
            }
            at += 8 + len + (len & 1);
        }
        return true;
    }

    bool Run() {
        out = AviFileInfo{};
        out.fileSize = size;
        if (size < 12 || Rd32(data) != MakeFourCc('R', 'I', 'F', 'F') ||
            Rd32(data + 8) != MakeFourCc('A', 'V', 'I', ' '))
            return Fail("not a RIFF AVI file");
        out.riffSize = Rd32(data + 4);
        const size_t end = std::min<size_t>(size, size_t(out.riffSize) + 8);
        out.segments = 1;
        bool sawHeader = false, sawMovi = false;
        if (!ParseSegment(12, end, 0, sawHeader, sawMovi)) return false;
        if (!sawHeader) return Fail("no hdrl list");
        if (!sawMovi) return Fail("no movi list");
        // OpenDML continuation segments.
        for (size_t at = end + (end & 1); at + 12 <= size;) {
            const uint32_t len = Rd32(data + at + 4);
            if (Rd32(data + at) != MakeFourCc('R', 'I', 'F', 'F') ||
                Rd32(data + at + 8) != MakeFourCc('A', 'V', 'I', 'X'))
                return Fail("unexpected data after the first RIFF");
            if (Overruns(at, len, size)) return Fail("AVIX segment overruns the file");
            bool h = false, m = false;
            if (!ParseSegment(at + 12, at + 8 + len, out.segments++, h, m)) return false;
            at += 8 + len + (len & 1);
        }
        return true;
    }

    bool ParseSegment(size_t begin, size_t end, uint32_t segment, bool& sawHeader, bool& sawMovi) {
        for (size_t at = begin; at + 8 <= end;) {
            const uint32_t id = Rd32(data + at), len = Rd32(data + at + 4);
            if (Overruns(at, len, end))
                return Fail("top-level chunk " + FourCcText(id) + " overruns the file");
            if (id == kList && len >= 4) {
                const uint32_t kind = Rd32(data + at + 8);
                if (kind == MakeFourCc('h', 'd', 'r', 'l')) {
                    if (!ParseHeaderList(at + 12, at + 8 + len)) return false;
                    sawHeader = true;
                } else if (kind == MakeFourCc('m', 'o', 'v', 'i')) {
                    if (segment == 0) out.moviOffset = uint32_t(at + 8);
                    if (!ParseMovi(at + 12, at + 8 + len, segment)) return false;
                    sawMovi = true;
                }
            } else if (id == MakeFourCc('i', 'd', 'x', '1')) {
                out.hasIndex = true;
                for (uint32_t i = 0; i + 16 <= len; i += 16) {
                    const uint8_t* e = data + at + 8 + i;
                    out.index.push_back({Rd32(e), Rd32(e + 4), Rd32(e + 8), Rd32(e + 12)});
                }
            }
            at += 8 + len + (len & 1);
        }
        return true;
    }
};

}  // namespace

size_t AviFileInfo::ChunkCount(int stream) const {
    size_t n = 0;
    for (const AviChunk& c : chunks) {
        const int s = (int((c.ckid & 0xFF) - '0') * 10) + int(((c.ckid >> 8) & 0xFF) - '0');
        if (s == stream) ++n;
    }
    return n;
}

bool ParseAvi(const uint8_t* data, size_t size, AviFileInfo& out, std::string& error) {
    Parser p{data, size, out, error};
    return p.Run();
}

bool ParseAviFile(const std::string& path, AviFileInfo& out, std::string& error) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        error = "cannot open " + path;
        return false;
    }
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.insert(bytes.end(), buf, buf + n);
    std::fclose(f);
    return ParseAvi(bytes.data(), bytes.size(), out, error);
}

std::string CheckAviIndex(const AviFileInfo& avi) {
    if (!avi.hasIndex) return "no idx1";
    std::vector<const AviChunk*> first;
    for (const AviChunk& c : avi.chunks)
        if (c.segment == 0) first.push_back(&c);
    if (avi.index.size() != first.size())
        return "idx1 has " + std::to_string(avi.index.size()) + " entries for " +
               std::to_string(first.size()) + " chunks";
    for (size_t i = 0; i < avi.index.size(); ++i) {
        const AviIndexEntry& e = avi.index[i];
        const AviChunk& c = *first[i];
        // Offsets count from the 'movi' four-cc (the usual form) or from the file start.
        const bool offsetOk = uint64_t(e.offset) + avi.moviOffset == c.offset || e.offset == c.offset;
        if (e.ckid != c.ckid || e.size != c.size || !offsetOk)
            return "idx1 entry " + std::to_string(i) + " (" + FourCcText(e.ckid) +
                   ") does not match its chunk";
    }
    for (const AviIndexEntry& e : avi.index) {
        if (e.ckid == MakeFourCc('0', '0', 'd', 'c') || e.ckid == MakeFourCc('0', '0', 'd', 'b')) {
            if (!(e.flags & 0x10)) return "first video chunk is not a key frame";
            break;
        }
    }
    // OpenDML: super index -> standard indexes -> every chunk of the stream.
    for (size_t s = 0; s < avi.streams.size(); ++s) {
        const AviStreamInfo& stream = avi.streams[s];
        if (stream.superIndex.empty()) continue;
        std::vector<std::pair<uint64_t, uint32_t>> listed;  // data offset, size field
        for (const AviSuperIndexEntry& e : stream.superIndex) {
            const AviStandardIndex* found = nullptr;
            for (const AviStandardIndex& ix : avi.standardIndexes)
                if (ix.offset == e.offset) found = &ix;
            if (!found) return "super index of stream " + std::to_string(s) + " points at no ix chunk";
            for (const auto& entry : found->entries)
                listed.push_back({found->baseOffset + entry.first, entry.second});
        }
        std::vector<const AviChunk*> own;
        const uint32_t id = uint32_t('0' + s / 10) | uint32_t('0' + s % 10) << 8;
        for (const AviChunk& c : avi.chunks)
            if ((c.ckid & 0xFFFF) == id) own.push_back(&c);
        if (own.size() != listed.size())
            return "standard indexes of stream " + std::to_string(s) + " list " +
                   std::to_string(listed.size()) + " chunks of " + std::to_string(own.size());
        for (size_t i = 0; i < own.size(); ++i)
            if (listed[i].first != own[i]->offset + 8 || (listed[i].second & 0x7FFFFFFFu) != own[i]->size)
                return "standard index entry " + std::to_string(i) + " of stream " + std::to_string(s) +
                       " does not match its chunk";
    }
    return {};
}

}  // namespace avi
