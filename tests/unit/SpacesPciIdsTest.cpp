// The PCI name database: the lookup grammar and its edge cases on small texts, and the
// built-in database as the build generates it.
#include "SimTestSupport.h"
#include "app/AccessType.h"
#include "spaces/PciIds.h"
#include "spaces/PciNames.h"

#include <string>
#include <vector>

namespace {

struct Names {
  u32 result;
  std::u16string vendor, device;
};

Names Lookup(const char16_t* text, u32 vendor, u32 device) {
  char16_t vendorName[PCI_ID_NAME_CHARS], deviceName[PCI_ID_NAME_CHARS];
  u32 result = PciIdLookup(text, vendor, device, vendorName, deviceName);
  return {result, vendorName, deviceName};
}

const char16_t* const SAMPLE =
    u"stray:line before any vendor\n"
    u"8086=Intel\n"
    u"2815+2850:ICH8M\n"
    u"3a14:ICH10DO\n"
    u"1A24:Upper-case ID\n"
    u"\n"
    u"1002=ATI\n"
    u"4742+4744+4747+4749:3D Rage Pro (R3)\n"
    u"\n"
    u"5333=S3\n"
    u"8812:Aurora64V+ (767)\n"
    u"\n"
    u"197b=JMicron\n"
    u"\n"
    u"1013=Cirrus\n"
    u"3a15:Only under Cirrus\n"
    u"\n"
    u"8086=Intel again\n"
    u"9999:Second block\n"
    u"\n";

struct LookupCase {
  const char* what;
  const char16_t* text;
  u32 vendor, device;
  Names expected;
};

TEST(PciIdLookupTest, FollowsTheGrammar) {
  const LookupCase cases[] = {
      {"first ID of a line", SAMPLE, 0x8086, 0x2815, {0, u"Intel", u"ICH8M"}},
      {"second ID after +", SAMPLE, 0x8086, 0x2850, {0, u"Intel", u"ICH8M"}},
      {"lower-case digits", SAMPLE, 0x8086, 0x3A14, {0, u"Intel", u"ICH10DO"}},
      {"upper-case digits", SAMPLE, 0x8086, 0x1a24, {0, u"Intel", u"Upper-case ID"}},
      {"fourth ID of four", SAMPLE, 0x1002, 0x4749, {0, u"ATI", u"3D Rage Pro (R3)"}},
      {"+ after the colon", SAMPLE, 0x5333, 0x8812, {0, u"S3", u"Aurora64V+ (767)"}},
      {"vendor without devices", SAMPLE, 0x197B, 0x2363, {0, u"JMicron", u""}},
      {"device of a later vendor", SAMPLE, 0x8086, 0x3A15, {0, u"Intel", u""}},
      {"only the first block", SAMPLE, 0x8086, 0x9999, {0, u"Intel", u""}},
      {"unknown vendor", SAMPLE, 0x10DE, 0x0001, {1, u"", u""}},
      {"empty text", u"", 0x8086, 0x2815, {1, u"", u""}},
  };
  for (const LookupCase& c : cases) {
    Names n = Lookup(c.text, c.vendor, c.device);
    EXPECT_EQ(n.result, c.expected.result) << c.what;
    EXPECT_EQ(n.vendor, c.expected.vendor) << c.what;
    EXPECT_EQ(n.device, c.expected.device) << c.what;
  }
}

TEST(PciIdLookupTest, MalformedTextsStayInsideTheirLinesAndTheText) {
  const LookupCase cases[] = {
      {"text ends inside a vendor ID", u"80", 0x8086, 0, {1, u"", u""}},
      {"text ends after the =", u"8086=", 0x8086, 0, {0, u"", u""}},
      {"no LF at the end", u"8086=Intel\n2815:ICH8M", 0x8086, 0x2815, {0, u"Intel", u"ICH8M"}},
      {"text ends inside a device ID", u"8086=Intel\n28", 0x8086, 0x2815, {0, u"Intel", u""}},
      {"text ends after +", u"8086=Intel\n1111+", 0x8086, 0x2815, {0, u"Intel", u""}},
      {"matching line without colon takes no name from the next line",
       u"8086=Intel\n2815 no colon\n2850:Next\n", 0x8086, 0x2815, {0, u"Intel", u""}},
      {"short device line", u"8086=Intel\n28\n2815:Found\n", 0x8086, 0x2815, {0, u"Intel", u"Found"}},
      {"non-hex vendor ID is no vendor", u"80x6=Bad\n8086=Intel\n", 0x8086, 0, {0, u"Intel", u""}},
      {"vendor ID FFFF is never a malformed line", u"zzzz=Bad\n", 0xFFFFFFFFu, 0, {1, u"", u""}},
      {"block ends at the next vendor line", u"8086=Intel\n1013=Cirrus\n2815:Cirrus part\n", 0x8086, 0x2815,
       {0, u"Intel", u""}},
  };
  for (const LookupCase& c : cases) {
    Names n = Lookup(c.text, c.vendor, c.device);
    EXPECT_EQ(n.result, c.expected.result) << c.what;
    EXPECT_EQ(n.vendor, c.expected.vendor) << c.what;
    EXPECT_EQ(n.device, c.expected.device) << c.what;
  }
}

TEST(PciIdLookupTest, LongNamesAreCutToTheBuffers) {
  std::u16string longName(100, u'N');
  std::u16string text = u"8086=" + longName + u"\n2815:" + longName + u"\n\n";
  char16_t vendorName[PCI_ID_NAME_CHARS + 1], deviceName[PCI_ID_NAME_CHARS + 1];
  vendorName[PCI_ID_NAME_CHARS] = deviceName[PCI_ID_NAME_CHARS] = u'!';  // guards past the buffers
  EXPECT_EQ(PciIdLookup(text.c_str(), 0x8086, 0x2815, vendorName, deviceName), 0u);
  EXPECT_EQ(std::u16string(vendorName), std::u16string(PCI_ID_NAME_CHARS - 1, u'N'));
  EXPECT_EQ(std::u16string(deviceName), std::u16string(PCI_ID_NAME_CHARS - 1, u'N'));
  EXPECT_EQ(vendorName[PCI_ID_NAME_CHARS], u'!');
  EXPECT_EQ(deviceName[PCI_ID_NAME_CHARS], u'!');
}

std::vector<std::u16string> DatabaseLines() {
  std::vector<std::u16string> lines;
  std::u16string text = PciIdDatabase;
  size_t start = 0, end;
  while ((end = text.find(u'\n', start)) != std::u16string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  EXPECT_EQ(start, text.size()) << "the text ends with LF";
  return lines;
}

TEST(PciIdDatabaseTest, HasTheVendorLinesInOrderAndNamesWithinTheirLimits) {
  const char16_t* const vendors[] = {
      u"1113=Accton", u"8888=Utron", u"1011=DECchip", u"8086=Intel", u"1060=UMC", u"10b9=ALI", u"1039=SiS",
      u"1045=OPTi", u"1022=AMD", u"1000=NCR", u"9004=Adaptec", u"5333=S3", u"1023=Trident", u"1013=Cirrus",
      u"1002=ATI", u"102c=C&T", u"100c=Tseng Labs", u"1005=Avance Logic", u"1095=CMD", u"1142=ProMotion",
      u"100e=Weitek", u"0e11=Compaq", u"102b=Matrox", u"105d=Number Nine", u"1163=Rendition", u"1097=Appian",
      u"1C1C=DTC", u"100b=NS", u"1042=PC Technology", u"10ad=Symphony", u"1106=VIA", u"1004=VLSI", u"1014=IBM",
      u"1025=Acer", u"1080=CONTAQ", u"10AA=ACC", u"1179=Toshiba", u"1066=VESUVIUS", u"1078=Cyrix", u"1033=NEC",
      u"104c=Texas Instruments", u"121A=3Dfx", u"197b=JMicron"};
  std::vector<std::u16string> lines = DatabaseLines();
  std::vector<std::u16string> vendorLines;
  bool blockStart = true;
  for (const std::u16string& line : lines) {
    if (blockStart) {
      ASSERT_GE(line.size(), 5u);
      EXPECT_EQ(line[4], u'=') << "each block starts with its vendor line";
      vendorLines.push_back(line);
      EXPECT_LE(line.size() - 5, 17u);
    } else if (!line.empty()) {
      size_t colon = line.find(u':');
      ASSERT_NE(colon, std::u16string::npos);
      EXPECT_EQ(colon % 5, 4u) << "IDs of four digits joined by +";
      EXPECT_NE(line[4], u'=');
      EXPECT_GT(line.size() - colon - 1, 0u);
      EXPECT_LE(line.size() - colon - 1, 32u);
    }
    blockStart = line.empty();
  }
  ASSERT_EQ(vendorLines.size(), ARRAY_COUNT(vendors));
  for (size_t i = 0; i < vendorLines.size(); i++) EXPECT_EQ(vendorLines[i], vendors[i]);
  EXPECT_TRUE(lines.back().empty());
}

TEST(PciIdDatabaseTest, NamesTheDevicesOfQemuMachines) {
  // The functions of QEMU's pc and q35 machines, and common extra devices, that belong to
  // vendors of the database.
  const u32 devices[][2] = {{0x8086, 0x1237}, {0x8086, 0x7000}, {0x8086, 0x7010}, {0x8086, 0x7113},
                            {0x8086, 0x100E}, {0x8086, 0x29C0}, {0x8086, 0x2918}, {0x8086, 0x2922},
                            {0x8086, 0x2930}, {0x8086, 0x10D3}, {0x8086, 0x2934}, {0x8086, 0x293A},
                            {0x8086, 0x2668}, {0x1033, 0x0194}, {0x1022, 0x2000}, {0x1013, 0x00B8},
                            {0x1000, 0x0012}};
  for (const auto& d : devices) {
    Names n = Lookup(PciIdDatabase, d[0], d[1]);
    EXPECT_EQ(n.result, 0u);
    EXPECT_FALSE(n.device.empty()) << std::hex << d[0] << ":" << d[1];
  }
  EXPECT_EQ(Lookup(PciIdDatabase, 0x8086, 0x2850).device, u"ICH8M");
  EXPECT_EQ(Lookup(PciIdDatabase, 0x197B, 0x2363).device, u"");
  EXPECT_EQ(Lookup(PciIdDatabase, 0x1AF4, 0x1000).result, 1u);  // not a vendor of the database
  EXPECT_LT(sizeof(u"") * std::u16string(PciIdDatabase).size(), 1000000u);
}

class PciDeviceNameTest : public SimTest {
 protected:
  void SetUp() override {
    SimTest::SetUp();
    ResetHistory();
  }
};

TEST_F(PciDeviceNameTest, ShowsVendorDeviceAndClassNames) {
  AddSmallPciMachine();
  gSim->AddPciFunction(0, 2, 0, 0x1AF4, 0x1050, 0, 0x030000);
  struct Case {
    i32 device;
    const char* expected;
  };
  const Case cases[] = {
      {0x1F, "D31:F0  Intel 82801IB (ICH9) LPC Interface ISA bridge"},
      {2, "D2:F0   VGA controller"},  // a vendor the database lacks
  };
  for (const Case& c : cases) {
    Current->device = c.device;
    char16_t name[PCI_DEVICE_NAME_CHARS];
    PciDeviceName(name);
    std::string text;
    for (const char16_t* p = name; *p; p++) text += (char)*p;
    EXPECT_EQ(text, c.expected);
  }
}

}  // namespace
