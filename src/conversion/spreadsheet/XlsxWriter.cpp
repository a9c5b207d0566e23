// Writing the workbook as an .xlsx package. Sheets are read back one at a time
// (only the active one stays in memory) and each goes into the archive as it is
// read, so the save needs the memory of the largest sheet, not of the workbook.
// The package holds the parts a spreadsheet needs and no more: content types,
// relationships, document properties, the workbook, the style sheet and the sheets.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "common/Failure.h"
#include "common/SystemReason.h"
#include "conversion/spreadsheet/Workbook.h"
#include "conversion/spreadsheet/XlsxParts.h"
#include "conversion/spreadsheet/ZipWriter.h"

namespace tabulizer::sheet {
namespace {

constexpr const char* kXmlHead = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";
constexpr const char* kRelationships = "http://schemas.openxmlformats.org/package/2006/relationships";
constexpr const char* kOfficeRelationships = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
constexpr std::size_t kFileBuffer = 1u << 20;

std::string SheetPart(int index) { return "worksheets/sheet" + std::to_string(index + 1) + ".xml"; }

void Part(ZipWriter& zip, const char* name, const std::string& xml) {
    zip.Begin(name);
    zip.Write(xml);
    zip.End();
}

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

std::string WorkbookXml(const std::vector<std::string>& names, int active) {
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
    return xml + "</sheets><calcPr calcId=\"124519\" fullCalcOnLoad=\"1\"/></workbook>";
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

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

void WritePackage(const Workbook& workbook, std::FILE* file) {
    ZipWriter zip(file);
    CellFormats formats(workbook.Styles());
    std::vector<std::string> names;
    for (int i = 0; i < workbook.SheetCount(); ++i) {
        const SheetRef sheet = workbook.At(i);
        names.push_back(sheet->Name());
        zip.Begin("xl/" + SheetPart(i));
        WriteSheetXml(zip, *sheet, i == workbook.ActiveIndex(), formats);
        zip.End();
    }
    Part(zip, "xl/workbook.xml", WorkbookXml(names, workbook.ActiveIndex()));
    Part(zip, "xl/_rels/workbook.xml.rels", WorkbookRelationships(workbook.SheetCount()));
    Part(zip, "xl/styles.xml", formats.StylesXml());
    Part(zip, "docProps/app.xml", AppProperties());
    Part(zip, "docProps/core.xml", CoreProperties());
    Part(zip, "_rels/.rels", PackageRelationships());
    Part(zip, "[Content_Types].xml", ContentTypes(workbook.SheetCount()));
    zip.Finish();
}

}  // namespace

void WriteXlsx(const Workbook& workbook, const std::string& path) {
    errno = 0;
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "wb"));
    if (!file)
        throw Failure(errno == ENOMEM ? kOutOfMemory : kCannotWrite, "cannot create the workbook \"" + path + "\"",
                      SystemReason(errno));
    std::setvbuf(file.get(), nullptr, _IOFBF, kFileBuffer);
    WritePackage(workbook, file.get());
    errno = 0;
    if (std::fclose(file.release()) != 0)
        throw Failure(kCannotWrite, "cannot write the workbook \"" + path + "\"", SystemReason(errno ? errno : EIO));
}

}  // namespace tabulizer::sheet
