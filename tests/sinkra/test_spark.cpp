#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "game/AStar.h"
#include "platform/Random.h"

namespace {

// A star whose row r is filled with colour 0x100000 * (r + 1).
std::unique_ptr<OClip> colouredStar() {
  auto star = std::make_unique<OClip>();
  for (int row = 0; row < 6; ++row) {
    auto seq = std::make_unique<OClip>();
    for (int f = 0; f < 3; ++f) {
      auto img = std::make_unique<OBitmap>();
      img->create(8, 8, 0x100000u * static_cast<uint32_t>(row + 1) + static_cast<uint32_t>(f));
      seq->addImage(std::move(img));
    }
    star->addSequence(std::move(seq));
  }
  return star;
}

int rowOf(const OClip& spark) { return static_cast<int>(spark.currentImage()->pixel(0, 0) >> 20) - 1; }

}  // namespace

TEST(Spark, FadesOutInAndOutOnceThenEndsItsLife) {
  auto star = colouredStar();
  zb::seedRandom(3);
  AStar spark(*star, 100, 50, 40, 40, 2);
  EXPECT_EQ(spark.opacity, 70);
  EXPECT_FALSE(spark.moves);  // it moves itself, once per update
  EXPECT_DOUBLE_EQ(spark.z, -100000);
  std::vector<int> levels;
  for (int i = 0; i < 20 && spark.lifetime != 0; ++i) {
    spark.tickClip(30);
    levels.push_back(spark.opacity);
  }
  EXPECT_EQ(levels, (std::vector<int>{30, 0, 40, 80, 120, 160, 200, 240, 255}));
  EXPECT_EQ(spark.lifetime, 0);
  EXPECT_EQ(spark.opacityStep, 0);
}

TEST(Spark, StartsInsideTheBlockOnItsColourRow) {
  auto star = colouredStar();
  for (int i = 0; i < 200; ++i) {
    AStar spark(*star, 100, 50, 40, 30, i % 6, -30);
    EXPECT_EQ(rowOf(spark), i % 6);
    // Centred on a point of the block: the star is 8 x 8.
    EXPECT_GE(spark.x, 100 - 4);
    EXPECT_LT(spark.x, 100 + 40 - 4);
    EXPECT_GE(spark.y, 50 - 4);
    EXPECT_LT(spark.y, 50 + 30 - 4);
    double x = spark.x, y = spark.y;
    spark.tickClip(30);
    EXPECT_DOUBLE_EQ(spark.x, x + spark.vx);
    EXPECT_DOUBLE_EQ(spark.y, y + spark.vy);
    EXPECT_EQ(rowOf(spark), i % 6);  // twinkling stays within the row
  }
  // Special colours take one of the first five rows.
  for (int i = 0; i < 100; ++i) {
    AStar spark(*star, 0, 0, 10, 10, 13);
    EXPECT_GE(rowOf(spark), 0);
    EXPECT_LT(rowOf(spark), 5);
  }
}

TEST(Spark, DriftIsPlusOneHalfTheTime) {
  zb::seedRandom(17);
  std::map<int, int> seen;
  for (int i = 0; i < 4000; ++i) ++seen[AStar::randomDrift()];
  ASSERT_EQ(seen.size(), 3u);
  EXPECT_NEAR(seen[1], 2000, 150);
  EXPECT_NEAR(seen[0], 1000, 120);
  EXPECT_NEAR(seen[-1], 1000, 120);
}
