#include "core/plist/PlistWriter.h"

#include "core/files/AtomicFile.h"
#include "core/plist/BinaryPlistWriter.h"
#include "core/plist/XmlPlistWriter.h"

#include <exception>

namespace core {

namespace {

bool writeBytes(const std::filesystem::path& path, const std::string& bytes) {
    try {
        return !bytes.empty() && writeFileAtomically(path, bytes);
    } catch (const std::exception&) {
        return false;  // out of memory or a path that cannot be formed: a failed write
    }
}

}  // namespace

std::string toXmlPropertyList(const PlistValue& value) {
    return XmlPlistWriter::write(value);
}

std::string toBinaryPropertyList(const PlistValue& value) {
    return BinaryPlistWriter::write(value);
}

EncodedPropertyList encodePropertyList(const PlistValue& value, PlistFormat preferred) {
    if (preferred == PlistFormat::Xml) {
        if (std::string xml = XmlPlistWriter::writeExactly(value); !xml.empty())
            return {std::move(xml), PlistFormat::Xml};
    }
    return {BinaryPlistWriter::write(value), PlistFormat::Binary};
}

bool writePropertyListFile(const std::filesystem::path& path, const PlistValue& value,
                           PlistFormat format) {
    return writeBytes(path, format == PlistFormat::Binary ? toBinaryPropertyList(value)
                                                          : toXmlPropertyList(value));
}

bool writePropertyListFilePreferringXml(const std::filesystem::path& path,
                                        const PlistValue& value) {
    return writeBytes(path, encodePropertyList(value, PlistFormat::Xml).bytes);
}

}  // namespace core
