#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "crypto/CompressedBlob.h"

namespace zidezo {
namespace {

Bytes RandomBytes(std::size_t count) {
  std::mt19937 generator(20261211);
  std::uniform_int_distribution<int> byte(0, 255);
  Bytes bytes(count);
  for (auto& b : bytes) b = static_cast<std::uint8_t>(byte(generator));
  return bytes;
}

void SetLength(Bytes& blob, std::uint32_t length) {
  for (int i = 0; i < 4; ++i) blob[i] = static_cast<std::uint8_t>(length >> (8 * i));
}

TEST(CompressedBlob, RoundTrips) {
  const std::vector<Bytes> payloads = {{}, ToBytes("答案历史 answer history"), Bytes(100000, 'a'),
                                       RandomBytes(1024 * 1024)};
  for (const Bytes& payload : payloads) {
    EXPECT_EQ(UnpackBlob(PackBlob(payload)), payload) << payload.size() << " bytes";
  }
}

TEST(CompressedBlob, StartsWithTheLittleEndianLengthAndAHighestLevelStream) {
  const Bytes blob = PackBlob(Bytes(0x012345, 'x'));
  ASSERT_GT(blob.size(), 6u);
  EXPECT_EQ(blob[0], 0x45);
  EXPECT_EQ(blob[1], 0x23);
  EXPECT_EQ(blob[2], 0x01);
  EXPECT_EQ(blob[3], 0x00);
  EXPECT_EQ(blob[4], 0x78);  // zlib header
  EXPECT_EQ(blob[5], 0xDA);  // compression level 9
}

struct DamagedBlob {
  std::string name;
  Bytes blob;
};

std::vector<DamagedBlob> DamagedBlobs() {
  const Bytes text = ToBytes("the quick brown fox jumps over the lazy dog, again and again and again");
  const Bytes good = PackBlob(text);
  std::vector<DamagedBlob> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"three bytes", {1, 0, 0}});
  cases.push_back({"length without stream", {0, 0, 0, 0}});
  cases.push_back({"truncated stream", Bytes(good.begin(), good.end() - 5)});
  cases.push_back({"stream cut after its header", Bytes(good.begin(), good.begin() + 6)});
  Bytes corrupt = good;
  corrupt[good.size() / 2] ^= 0xFF;
  cases.push_back({"corrupt byte", corrupt});
  Bytes badHeader = good;
  badHeader[4] = 0x00;
  cases.push_back({"not a zlib stream", badHeader});
  Bytes shorter = good;
  SetLength(shorter, static_cast<std::uint32_t>(text.size() - 1));
  cases.push_back({"length too small", shorter});
  Bytes longer = good;
  SetLength(longer, static_cast<std::uint32_t>(text.size() + 1));
  cases.push_back({"length too large", longer});
  Bytes lying = good;
  SetLength(lying, 200u * 1024 * 1024);
  cases.push_back({"length of 200 MiB for a short stream", lying});
  Bytes absurd = good;
  SetLength(absurd, 0xFFFFFFFFu);
  cases.push_back({"absurd length", absurd});
  Bytes trailing = good;
  trailing.push_back(0);
  trailing.push_back(42);
  cases.push_back({"trailing garbage", trailing});
  Bytes twoStreams = good;
  twoStreams.insert(twoStreams.end(), good.begin() + 4, good.end());
  cases.push_back({"a second stream", twoStreams});
  return cases;
}

TEST(CompressedBlob, DamagedBlobsAreReportedNotUnpacked) {
  for (const DamagedBlob& item : DamagedBlobs()) {
    try {
      const Bytes payload = UnpackBlob(item.blob);
      ADD_FAILURE() << item.name << ": unpacked " << payload.size() << " bytes";
    } catch (const EBlobError& error) {
      EXPECT_GT(std::string(error.what()).size(), 10u) << item.name;
    }
  }
}

}  // namespace
}  // namespace zidezo
