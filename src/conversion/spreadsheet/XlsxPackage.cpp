#include "conversion/spreadsheet/XlsxPackage.h"

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <stdexcept>

#include "common/Failure.h"
#include "common/SystemReason.h"

namespace tabulizer::sheet {
namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kOfficeRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::size_t kFileBuffer = 1u << 20;

std::string SheetPart(int index) { return "worksheets/sheet" + std::to_string(index + 1) + ".xml"; }

std::string ContentTypes(int sheets) {
    const std::string type = "application/vnd.openxmlformats-officedocument.";
    std::string xml = std::string(kXmlHead) +
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/docProps/app.xml\" ContentType=\"" + type + "extended-properties+xml\"/>"
        "<Override PartName=\"/docProps/core.xml\" ContentType=\"application/vnd.openxmlformats-package.core-properties+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" ContentType=\"" + type + "spreadsheetml.styles+xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" ContentType=\"" + type + "spreadsheetml.sheet.main+xml\"/>";
    for (int i = 0; i < sheets; ++i)
        xml += "<Override PartName=\"/xl/" + SheetPart(i) + "\" ContentType=\"" + type + "spreadsheetml.worksheet+xml\"/>";
    return xml + "</Types>";
}

std::string PackageRelationships() {
    return std::string(kXmlHead) + "<Relationships xmlns=\"" + kRelationships + "\">" +
           "<Relationship Id=\"rId1\" Type=\"" + kOfficeRelationships + "/officeDocument\" Target=\"xl/workbook.xml\"/>" +
           "<Relationship Id=\"rId2\" Type=\"" + kRelationships + "/metadata/core-properties\" Target=\"docProps/core.xml\"/>" +
           "<Relationship Id=\"rId3\" Type=\"" + kOfficeRelationships + "/extended-properties\" Target=\"docProps/app.xml\"/>" +
           "</Relationships>";
}

std::string AppProperties() {
    return std::string(kXmlHead) +
           "<Properties xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\">"
           "<Application>Tabulizer</Application></Properties>";
}

// The time of writing; SOURCE_DATE_EPOCH, where set, stands for it, so that the same
// report makes the same file byte for byte.
std::time_t Now() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch && *epoch) {
        char* end = nullptr;
        long long seconds = std::strtoll(epoch, &end, 10);
        if (*end == '\0' && seconds >= 0) return static_cast<std::time_t>(seconds);
    }
    return std::time(nullptr);
}

std::string CoreProperties() {
    char now[32] = "1980-01-01T00:00:00Z";
    std::time_t t = Now();
    std::tm utc{};
    if (gmtime_r(&t, &utc)) std::strftime(now, sizeof now, "%Y-%m-%dT%H:%M:%SZ", &utc);
    const std::string stamp = std::string("xsi:type=\"dcterms:W3CDTF\">") + now;
    return std::string(kXmlHead) +
           "<cp:coreProperties xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
           "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
           "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
           "<dc:creator></dc:creator><dcterms:created " + stamp + "</dcterms:created><dcterms:modified " + stamp +
           "</dcterms:modified></cp:coreProperties>";
}

// A sheet name as a formula writes it: quoted, a quote doubled.
std::string QuotedSheet(const std::string& name) {
    std::string quoted = "'";
    for (char c : name) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// A range as a defined name holds it: "'Лист1'!$A$1:$E$9".
std::string AbsoluteRange(const std::string& sheet, const CellRange& r) {
    return QuotedSheet(sheet) + "!$" + ColumnName(r.left) + "$" + std::to_string(r.top) + ":$" +
           ColumnName(r.right) + "$" + std::to_string(r.bottom);
}

std::string WorkbookXml(const std::vector<std::string>& names, int active, const std::string& definedNames) {
    std::string xml = std::string(kXmlHead) +
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" xmlns:r=\"" +
        kOfficeRelationships + "\"><bookViews><workbookView xWindow=\"240\" yWindow=\"15\" windowWidth=\"16095\" "
        "windowHeight=\"9660\"";
    if (active > 0) xml += " activeTab=\"" + std::to_string(active) + "\"";
    xml += "/></bookViews><sheets>";
    for (std::size_t i = 0; i < names.size(); ++i) {
        xml += "<sheet name=\"";
        AppendEscaped(xml, names[i]);
        xml += "\" sheetId=\"" + std::to_string(i + 1) + "\" r:id=\"rId" + std::to_string(i + 1) + "\"/>";
    }
    xml += "</sheets>";
    if (!definedNames.empty()) xml += "<definedNames>" + definedNames + "</definedNames>";
    return xml + "<calcPr calcId=\"124519\" fullCalcOnLoad=\"1\"/></workbook>";
}

std::string WorkbookRelationships(int sheets) {
    std::string xml = std::string(kXmlHead) + "<Relationships xmlns=\"" + kRelationships + "\">";
    for (int i = 0; i < sheets; ++i)
        xml += "<Relationship Id=\"rId" + std::to_string(i + 1) + "\" Type=\"" + kOfficeRelationships +
               "/worksheet\" Target=\"" + SheetPart(i) + "\"/>";
    xml += "<Relationship Id=\"rId" + std::to_string(sheets + 1) + "\" Type=\"" + kOfficeRelationships +
           "/styles\" Target=\"styles.xml\"/>";
    return xml + "</Relationships>";
}

int CodeFor(int error) { return error == ENOMEM ? kOutOfMemory : kCannotWrite; }

}  // namespace

XlsxPackage::XlsxPackage(const std::string& path, CellFormats& formats, int sheets)
    : path_(path), sheets_(sheets), formats_(formats) {
    errno = 0;
    file_ = std::fopen(path.c_str(), "wb");
    if (!file_) throw Failure(CodeFor(errno), "cannot create the workbook \"" + path + "\"", SystemReason(errno));
    std::setvbuf(file_, nullptr, _IOFBF, kFileBuffer);
    try {
        zip_ = std::make_unique<ZipWriter>(file_);
        Part("[Content_Types].xml", ContentTypes(sheets_));
    } catch (...) {
        std::fclose(file_);
        throw;
    }
}

XlsxPackage::~XlsxPackage() {
    sheet_.reset();
    zip_.reset();
    if (file_) std::fclose(file_);
}

// The name of the next sheet's part.
std::string XlsxPackage::NextSheet(const std::string& utf8Name) {
    names_.push_back(utf8Name);
    return "xl/" + SheetPart(static_cast<int>(names_.size()) - 1);
}

SheetXmlWriter& XlsxPackage::BeginSheet(const std::string& utf8Name, const SheetHead& head) {
    zip_->Begin(NextSheet(utf8Name));
    sheet_ = std::make_unique<SheetXmlWriter>(*zip_, formats_, head);
    return *sheet_;
}

void XlsxPackage::EndSheet(const std::vector<CellRange>& merges, const CellRange* filter) {
    sheet_->End(merges, filter);
    sheet_.reset();
    zip_->End();
    if (filter) filters_.push_back({static_cast<int>(names_.size()) - 1, *filter});
}

void XlsxPackage::WriteSheet(const Sheet& sheet, bool active) {
    zip_->Begin(NextSheet(sheet.Name()));
    WriteHeldSheet(*zip_, formats_, sheet, active);
    zip_->End();
}

void XlsxPackage::CopySheet(const std::string& utf8Name, const DeflatedEntry& part, const ReadDeflated& read) {
    zip_->Copy(NextSheet(utf8Name), part, read);
}

void XlsxPackage::Part(const char* name, const std::string& xml) {
    zip_->Begin(name);
    zip_->Write(xml);
    zip_->End();
}

void XlsxPackage::Finish(int activeSheet) {
    std::string definedNames;
    for (const Filter& f : filters_) {
        definedNames += "<definedName name=\"_xlnm._FilterDatabase\" localSheetId=\"" + std::to_string(f.sheet) +
                        "\" hidden=\"1\">";
        AppendEscaped(definedNames, AbsoluteRange(names_[f.sheet], f.range));
        definedNames += "</definedName>";
    }
    const int sheets = static_cast<int>(names_.size());
    if (sheets != sheets_) throw std::logic_error("the package got another number of sheets than it announced");
    Part("xl/workbook.xml", WorkbookXml(names_, activeSheet, definedNames));
    Part("xl/_rels/workbook.xml.rels", WorkbookRelationships(sheets));
    Part("xl/styles.xml", formats_.StylesXml());
    Part("docProps/app.xml", AppProperties());
    Part("docProps/core.xml", CoreProperties());
    Part("_rels/.rels", PackageRelationships());
    zip_->Finish();
    std::FILE* file = file_;
    file_ = nullptr;
    errno = 0;
    if (std::fclose(file) != 0)
        throw Failure(CodeFor(errno), "cannot write the workbook \"" + path_ + "\"", SystemReason(errno ? errno : EIO));
}

}  // namespace tabulizer::sheet
