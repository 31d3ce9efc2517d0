#include "core/plist/PlistWriter.h"

#include "core/files/AtomicFile.h"
#include "core/plist/BinaryPlistWriter.h"
#include "core/plist/XmlPlistWriter.h"

namespace core {

std::string toXmlPropertyList(const PlistValue& value) {
    return XmlPlistWriter::write(value);
}

std::string toBinaryPropertyList(const PlistValue& value) {
    return BinaryPlistWriter::write(value);
}

bool writePropertyListFile(const std::filesystem::path& path, const PlistValue& value,
                           PlistFormat format) {
    const std::string bytes =
        format == PlistFormat::Binary ? toBinaryPropertyList(value) : toXmlPropertyList(value);
    return !bytes.empty() && writeFileAtomically(path, bytes);
}

}  // namespace core
