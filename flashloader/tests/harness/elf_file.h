// Reads the parts of a 32-bit little-endian Arm ELF file that a programming
// tool uses: loadable segments, sections and the symbol table.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace flashsim {

struct ElfSegment {
    uint32_t vaddr = 0;
    uint32_t memSize = 0;
    uint32_t flags = 0;
    std::vector<uint8_t> bytes;  // file contents; the rest up to memSize is zero
};

struct ElfSection {
    std::string name;
    uint32_t type = 0;
    uint32_t flags = 0;
    uint32_t addr = 0;
    uint32_t size = 0;
    uint32_t align = 0;
};

struct ElfSymbol {
    std::string name;
    uint32_t value = 0;
    uint32_t size = 0;
    uint8_t type = 0;
    uint16_t section = 0;
};

class ElfFile {
public:
    // Throws std::runtime_error when the file is missing or not such an ELF.
    static ElfFile load(const std::string &path);

    uint32_t entry() const { return entry_; }
    uint16_t fileType() const { return fileType_; }
    const std::vector<ElfSegment> &segments() const { return segments_; }
    const std::vector<ElfSection> &sections() const { return sections_; }
    const ElfSection *section(const std::string &name) const;
    std::optional<ElfSymbol> symbol(const std::string &name) const;
    // Lowest address of any loadable segment: where the image begins.
    uint32_t imageStart() const;
    // Bytes of the loaded image at a link-time address.
    std::vector<uint8_t> read(uint32_t vaddr, uint32_t size) const;

private:
    uint32_t entry_ = 0;
    uint16_t fileType_ = 0;
    std::vector<ElfSegment> segments_;
    std::vector<ElfSection> sections_;
    std::vector<ElfSymbol> symbols_;
};

}  // namespace flashsim
