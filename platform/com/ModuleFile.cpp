// Reading only the ELF headers of a module: the file header, the program
// header table with every loadable segment, and the section header table must
// all lie inside the file.
#include "platform/com/ModuleFile.h"

#include <dlfcn.h>
#include <elf.h>
#include <fcntl.h>
#include <link.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <functional>

namespace com {

namespace {

// Reads `size` bytes at `offset`; false when they are not all there.
using ReadAt = std::function<bool(std::uint64_t offset, void* out, std::size_t size)>;

// True when [offset, offset + count * entry) lies inside a file of fileSize bytes.
bool Inside(std::uint64_t offset, std::uint64_t count, std::uint64_t entry, std::uint64_t fileSize) {
    if (offset > fileSize || (entry && count > (fileSize - offset) / entry)) return false;
    return true;
}

std::string Short(const std::string& part, std::uint64_t end, std::uint64_t fileSize) {
    return "it is cut short: " + part + " ends " + (end ? "at byte " + std::to_string(end) + ", " : "") +
           "past the end of the file (" + std::to_string(fileSize) + " bytes)";
}

std::uint64_t End(std::uint64_t offset, std::uint64_t count, std::uint64_t entry) {
    // For the message only; saturates instead of wrapping.
    const std::uint64_t span = entry && count > UINT64_MAX / entry ? UINT64_MAX : count * entry;
    return offset > UINT64_MAX - span ? 0 : offset + span;
}

#if defined(__x86_64__)
constexpr unsigned kThisMachine = EM_X86_64;
#elif defined(__aarch64__)
constexpr unsigned kThisMachine = EM_AARCH64;
#elif defined(__i386__)
constexpr unsigned kThisMachine = EM_386;
#elif defined(__arm__)
constexpr unsigned kThisMachine = EM_ARM;
#else
constexpr unsigned kThisMachine = EM_NONE;  // not checked
#endif

std::string MachineName(unsigned machine) {
    switch (machine) {
        case EM_X86_64: return "x86-64";
        case EM_386: return "x86";
        case EM_AARCH64: return "ARM";
        case EM_ARM: return "32-bit ARM";
        case EM_RISCV: return "RISC-V";
        case EM_PPC64: return "64-bit POWER";
        case EM_PPC: return "POWER";
        case EM_S390: return "IBM Z";
        case EM_MIPS: return "MIPS";
        default: return "machine " + std::to_string(machine);
    }
}

std::string Check(std::uint64_t fileSize, const ReadAt& read) {
    ElfW(Ehdr) header;
    unsigned char ident[EI_NIDENT];
    if (!read(0, ident, sizeof ident) || std::memcmp(ident, ELFMAG, SELFMAG) != 0)
        return "it is not a module (it has no ELF header)";
    // The machine lies at the same place in every ELF header; it says more than the word size.
    unsigned char machine[2];
    if (kThisMachine != EM_NONE && read(EI_NIDENT + 2, machine, 2)) {
        const bool little = ident[EI_DATA] == ELFDATA2LSB;
        const unsigned built = little ? machine[0] | (machine[1] << 8) : (machine[0] << 8) | machine[1];
        if (built != kThisMachine)
            return "it was built for " + MachineName(built) + ", this is " + MachineName(kThisMachine);
    }
    if (ident[EI_CLASS] != (sizeof(void*) == 8 ? ELFCLASS64 : ELFCLASS32))
        return "it is a module for another word size than this program's";
    if (ident[EI_DATA] != (__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__ ? ELFDATA2LSB : ELFDATA2MSB))
        return "it is a module for another byte order than this program's";
    if (!read(0, &header, sizeof header)) return Short("its file header", 0, fileSize);
    if (header.e_type != ET_DYN) return "it is not a shared library";

    if (header.e_phnum == 0) return "it has no loadable segments";
    if (header.e_phentsize != sizeof(ElfW(Phdr))) return "its program headers have an unknown size";
    if (!Inside(header.e_phoff, header.e_phnum, sizeof(ElfW(Phdr)), fileSize))
        return Short("its program header table", End(header.e_phoff, header.e_phnum, sizeof(ElfW(Phdr))), fileSize);
    bool loadable = false;
    for (unsigned i = 0; i < header.e_phnum; ++i) {
        ElfW(Phdr) segment;
        if (!read(header.e_phoff + i * sizeof segment, &segment, sizeof segment))
            return Short("its program header table", 0, fileSize);
        if (segment.p_type != PT_LOAD) continue;
        loadable = true;
        if (!Inside(segment.p_offset, segment.p_filesz, 1, fileSize))
            return Short("loadable segment " + std::to_string(i), End(segment.p_offset, segment.p_filesz, 1), fileSize);
    }
    if (!loadable) return "it has no loadable segments";

    if (header.e_shoff == 0) return {};
    if (header.e_shentsize != sizeof(ElfW(Shdr))) return "its section headers have an unknown size";
    std::uint64_t sections = header.e_shnum;
    if (sections == 0) {
        // Past 0xFF00 sections the count is kept in section 0's size field.
        ElfW(Shdr) first;
        if (!Inside(header.e_shoff, 1, sizeof first, fileSize) || !read(header.e_shoff, &first, sizeof first))
            return Short("its section header table", End(header.e_shoff, 1, sizeof first), fileSize);
        sections = first.sh_size;
    }
    if (!Inside(header.e_shoff, sections, sizeof(ElfW(Shdr)), fileSize))
        return Short("its section header table", End(header.e_shoff, sections, sizeof(ElfW(Shdr))), fileSize);
    return {};
}

}  // namespace

std::string ModuleImageProblem(std::span<const std::uint8_t> file) {
    return Check(file.size(), [file](std::uint64_t offset, void* out, std::size_t size) {
        if (!Inside(offset, size, 1, file.size())) return false;
        std::memcpy(out, file.data() + offset, size);
        return true;
    });
}

std::string ModuleFileProblem(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return std::string("it cannot be opened: ") + std::strerror(errno);
    struct stat st {};
    std::string problem;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        problem = "it is not a regular file";
    } else {
        const auto size = static_cast<std::uint64_t>(st.st_size);
        problem = Check(size, [fd, size](std::uint64_t offset, void* out, std::size_t want) {
            if (!Inside(offset, want, 1, size)) return false;
            auto* p = static_cast<char*>(out);
            while (want > 0) {
                const ssize_t n = ::pread(fd, p, want, static_cast<off_t>(offset));
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) return false;
                p += n;
                offset += static_cast<std::uint64_t>(n);
                want -= static_cast<std::size_t>(n);
            }
            return true;
        });
    }
    ::close(fd);
    return problem;
}

const char* const kModuleEntryPoints[4] = {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer",
                                           "DllUnregisterServer"};

std::string ModuleEntryProblem(const std::string& path) {
    // Lazy binding: nothing of the module runs but its constructors, and only its own
    // symbols are looked at.
    void* handle = ::dlopen(path.c_str(), RTLD_LAZY | RTLD_LOCAL);
    if (!handle) {
        const char* why = ::dlerror();
        return std::string("the loader refuses it: ") + (why ? why : "no reason given");
    }
    std::string missing;
    int count = 0;
    for (const char* name : kModuleEntryPoints) {
        if (::dlsym(handle, name)) continue;
        missing += (count++ ? ", " : "") + std::string(name);
    }
    ::dlclose(handle);
    if (count == 4) return "it exports none of the four entry points (" + missing + ")";
    if (count > 0) return "it does not export " + missing;
    return {};
}

}  // namespace com
