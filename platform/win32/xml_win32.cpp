#include <windows.h>
// objidl.h and xmllite.h must follow windows.h
#include <objidl.h>
#include <xmllite.h>

#include <cstring>
#include <string>
#include <vector>

#include "platform/win32/com_ptr.h"
#include "platform/xml.h"

namespace tw {
namespace {

using CreateXmlReaderFn = HRESULT(WINAPI*)(REFIID, void**, IMalloc*);

// mingw-w64 has xmllite.h but no import library, and the executables import only
// DLLs that every Windows has: the reader comes from the system folder's copy,
// looked up once.
CreateXmlReaderFn create_xml_reader() {
    static const CreateXmlReaderFn create = [] {
        wchar_t path[MAX_PATH];
        const UINT length = GetSystemDirectoryW(path, MAX_PATH);
        if (length == 0 || length + 13 >= MAX_PATH) return CreateXmlReaderFn{};
        std::memcpy(path + length, L"\\xmllite.dll", 13 * sizeof(wchar_t));
        HMODULE module = LoadLibraryW(path);
        if (!module) return CreateXmlReaderFn{};
        return reinterpret_cast<CreateXmlReaderFn>(
            reinterpret_cast<void (*)()>(GetProcAddress(module, "CreateXmlReader")));
    }();
    return create;
}

std::string utf8(const wchar_t* text, UINT length) {
    if (length == 0) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, static_cast<int>(length), out.data(), n, nullptr,
                            nullptr);
    return out;
}

bool qualified_name(IXmlReader* reader, std::string& out) {
    const wchar_t* name = nullptr;
    UINT length = 0;
    if (FAILED(reader->GetQualifiedName(&name, &length))) return false;
    out = utf8(name, length);
    return true;
}

bool value(IXmlReader* reader, std::string& out) {
    const wchar_t* text = nullptr;
    UINT length = 0;
    if (FAILED(reader->GetValue(&text, &length))) return false;
    out = utf8(text, length);
    return true;
}

// Reads an element's name and attributes; false on a reader error.
bool read_start(IXmlReader* reader, XmlElement& element) {
    if (!qualified_name(reader, element.name)) return false;
    for (HRESULT hr = reader->MoveToFirstAttribute(); hr == S_OK;
         hr = reader->MoveToNextAttribute()) {
        std::pair<std::string, std::string> attribute;
        if (!qualified_name(reader, attribute.first) || !value(reader, attribute.second))
            return false;
        element.attributes.push_back(std::move(attribute));
    }
    return SUCCEEDED(reader->MoveToElement());
}

// The bytes as a stream the reader can pull from.
bool memory_stream(const uint8_t* data, size_t size, Com<IStream>& stream) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, size ? size : 1);
    if (!memory) return false;
    void* bytes = GlobalLock(memory);
    if (!bytes) {
        GlobalFree(memory);
        return false;
    }
    if (size) std::memcpy(bytes, data, size);
    GlobalUnlock(memory);
    if (FAILED(CreateStreamOnHGlobal(memory, TRUE, stream.put()))) {
        GlobalFree(memory);
        return false;
    }
    ULARGE_INTEGER length;
    length.QuadPart = size;
    return SUCCEEDED(stream->SetSize(length));
}

bool parse(IXmlReader* reader, XmlElement& root) {
    // Open elements, innermost last. Children are added only to the innermost,
    // so the pointers to the outer ones stay valid.
    std::vector<XmlElement*> open;
    bool have_root = false;
    XmlNodeType type;
    HRESULT hr;
    while ((hr = reader->Read(&type)) == S_OK) {
        switch (type) {
            case XmlNodeType_Element: {
                XmlElement* element;
                if (open.empty()) {
                    if (have_root) return false;
                    have_root = true;
                    element = &root;
                } else {
                    open.back()->children.emplace_back();
                    element = &open.back()->children.back();
                }
                // Asked before the attributes move the reader off the element.
                const bool empty = reader->IsEmptyElement();
                if (!read_start(reader, *element)) return false;
                if (!empty) open.push_back(element);
                if (open.size() > kXmlMaxDepth) return false;
                break;
            }
            case XmlNodeType_EndElement:
                if (open.empty()) return false;
                open.pop_back();
                break;
            case XmlNodeType_Text:
            case XmlNodeType_CDATA:
            case XmlNodeType_Whitespace:
                if (!open.empty()) {
                    std::string text;
                    if (!value(reader, text)) return false;
                    open.back()->text += text;
                }
                break;
            default:
                break;
        }
    }
    return hr == S_FALSE && have_root && open.empty();
}

}  // namespace

bool xml_parse(const uint8_t* data, size_t size, XmlElement& root, uint32_t* error_line) {
    if (error_line) *error_line = 0;
    const CreateXmlReaderFn create = create_xml_reader();
    if (!create) return false;
    Com<IXmlReader> reader;
    Com<IStream> stream;
    if (FAILED(create(__uuidof(IXmlReader), reinterpret_cast<void**>(reader.put()), nullptr)))
        return false;
    // A document type is skipped, as pugixml does, rather than refused; no
    // resolver is set, so nothing outside the bytes is ever read.
    // The reader's own depth limit is set above ours, so that ours decides.
    if (FAILED(reader->SetProperty(XmlReaderProperty_DtdProcessing, DtdProcessing_Parse)) ||
        FAILED(reader->SetProperty(XmlReaderProperty_MaxElementDepth, kXmlMaxDepth + 8)) ||
        !memory_stream(data, size, stream) || FAILED(reader->SetInput(stream.get())))
        return false;
    XmlElement tree;
    if (!parse(reader.get(), tree)) {
        UINT line = 0;
        if (error_line && SUCCEEDED(reader->GetLineNumber(&line))) *error_line = line;
        return false;
    }
    root = std::move(tree);
    return true;
}

const char* xml_parser_name() {
    return "XmlLite";
}

}  // namespace tw
