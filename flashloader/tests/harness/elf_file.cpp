#include "elf_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace flashsim {

namespace {

constexpr uint16_t kMachineArm = 40;
constexpr uint32_t kPtLoad = 1;
constexpr uint32_t kShtSymtab = 2;

struct Reader {
    const std::vector<uint8_t> &data;

    void need(uint64_t offset, uint64_t size) const {
        if (offset + size > data.size())
            throw std::runtime_error("ELF file truncated");
    }
    uint32_t u32(uint64_t offset) const {
        need(offset, 4);
        uint32_t v;
        std::memcpy(&v, &data[offset], 4);
        return v;
    }
    uint16_t u16(uint64_t offset) const {
        need(offset, 2);
        return uint16_t(data[offset] | data[offset + 1] << 8);
    }
    std::string str(uint64_t offset) const {
        std::string s;
        while (true) {
            need(offset, 1);
            if (!data[offset])
                return s;
            s.push_back(char(data[offset++]));
        }
    }
};

}  // namespace

ElfFile ElfFile::load(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot open " + path);
    const std::vector<uint8_t> data((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    Reader r{data};
    r.need(0, 52);
    if (std::memcmp(data.data(), "\x7F" "ELF", 4) != 0 || data[4] != 1 || data[5] != 1)
        throw std::runtime_error(path + ": not a 32-bit little-endian ELF file");
    if (r.u16(18) != kMachineArm)
        throw std::runtime_error(path + ": not an Arm ELF file");

    ElfFile elf;
    elf.fileType_ = r.u16(16);
    elf.entry_ = r.u32(24);
    const uint32_t phoff = r.u32(28), shoff = r.u32(32);
    const uint16_t phentsize = r.u16(42), phnum = r.u16(44);
    const uint16_t shentsize = r.u16(46), shnum = r.u16(48), shstrndx = r.u16(50);

    for (unsigned i = 0; i < phnum; ++i) {
        const uint64_t ph = phoff + uint64_t(i) * phentsize;
        if (r.u32(ph) != kPtLoad)
            continue;
        ElfSegment seg;
        const uint32_t offset = r.u32(ph + 4), fileSize = r.u32(ph + 16);
        seg.vaddr = r.u32(ph + 8);
        seg.memSize = r.u32(ph + 20);
        seg.flags = r.u32(ph + 24);
        r.need(offset, fileSize);
        seg.bytes.assign(data.begin() + offset, data.begin() + offset + fileSize);
        elf.segments_.push_back(std::move(seg));
    }

    struct RawSection {
        uint32_t nameOffset, type, flags, addr, offset, size, link, align, entsize;
    };
    std::vector<RawSection> raw;
    for (unsigned i = 0; i < shnum; ++i) {
        const uint64_t sh = shoff + uint64_t(i) * shentsize;
        raw.push_back({r.u32(sh), r.u32(sh + 4), r.u32(sh + 8), r.u32(sh + 12), r.u32(sh + 16),
                       r.u32(sh + 20), r.u32(sh + 24), r.u32(sh + 32), r.u32(sh + 36)});
    }
    if (shstrndx >= raw.size())
        throw std::runtime_error(path + ": no section names");
    for (const RawSection &s : raw)
        elf.sections_.push_back({r.str(raw[shstrndx].offset + s.nameOffset), s.type, s.flags,
                                 s.addr, s.size, s.align});

    for (const RawSection &s : raw) {
        if (s.type != kShtSymtab || s.link >= raw.size() || s.entsize < 16)
            continue;
        for (uint32_t at = 0; at + 16 <= s.size; at += s.entsize) {
            const uint64_t sym = s.offset + at;
            ElfSymbol symbol;
            symbol.name = r.str(raw[s.link].offset + r.u32(sym));
            symbol.value = r.u32(sym + 4);
            symbol.size = r.u32(sym + 8);
            r.need(sym + 12, 4);
            symbol.type = data[sym + 12] & 0xF;
            symbol.section = r.u16(sym + 14);
            elf.symbols_.push_back(std::move(symbol));
        }
    }
    return elf;
}

const ElfSection *ElfFile::section(const std::string &name) const {
    for (const ElfSection &s : sections_)
        if (s.name == name)
            return &s;
    return nullptr;
}

std::optional<ElfSymbol> ElfFile::symbol(const std::string &name) const {
    for (const ElfSymbol &s : symbols_)
        if (s.name == name)
            return s;
    return std::nullopt;
}

uint32_t ElfFile::imageStart() const {
    if (segments_.empty())
        throw std::runtime_error("ELF file has no loadable segment");
    uint32_t start = UINT32_MAX;
    for (const ElfSegment &seg : segments_)
        start = std::min(start, seg.vaddr);
    return start;
}

std::vector<uint8_t> ElfFile::read(uint32_t vaddr, uint32_t size) const {
    for (const ElfSegment &seg : segments_) {
        if (vaddr < seg.vaddr || uint64_t(vaddr) + size > uint64_t(seg.vaddr) + seg.memSize)
            continue;
        std::vector<uint8_t> out(size, 0);
        for (uint32_t i = 0; i < size; ++i) {
            const uint32_t at = vaddr - seg.vaddr + i;
            if (at < seg.bytes.size())
                out[i] = seg.bytes[at];
        }
        return out;
    }
    throw std::runtime_error("address not in a loadable segment");
}

}  // namespace flashsim
