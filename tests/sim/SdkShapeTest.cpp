// The framework's headers as a plugin compiles against them: the types, conversions and
// hierarchy the real framework has, so a plugin that builds here builds there. Mostly checked by
// the compiler; the values by running.

#include <API/ARK/Ark.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <type_traits>

#include "support/GameFixture.h"

namespace {

static_assert(std::is_same_v<int64, long long> && std::is_same_v<uint64, unsigned long long>);
static_assert(std::is_same_v<int16, short> && std::is_same_v<uint16, unsigned short>);
static_assert(std::is_same_v<TCHAR, char16_t>, "the game's 16-bit text where wchar_t is wider");
static_assert(std::is_same_v<DWORD64, unsigned long long> && sizeof(DWORD) == 4);

// Layouts the game shares with plugins.
static_assert(sizeof(FString) == 16 && sizeof(TArray<int32>) == 16);
static_assert(sizeof(FVector) == 12 && sizeof(FLinearColor) == 16);
static_assert(sizeof(FColor) == 4 && alignof(FColor) == 4);
static_assert(sizeof(TWeakObjectPtr<AActor>) == 8 && sizeof(TEnumAsByte<EChatType::Type>) == 1);
static_assert(sizeof(FTransform) == 48 && alignof(FTransform) == 16 &&
              offsetof(FTransform, Translation) == 16);

// Conversions: what is implicit, what must be spelled.
static_assert(std::is_convertible_v<const char*, FString>);
static_assert(std::is_convertible_v<const wchar_t*, FString>);
static_assert(std::is_convertible_v<const TCHAR*, FString>);
static_assert(!std::is_convertible_v<std::string, FString>);
static_assert(std::is_constructible_v<FString, std::string>);
static_assert(!std::is_convertible_v<std::wstring, FString>);
static_assert(!std::is_constructible_v<FString, std::u16string_view>);
static_assert(!std::is_convertible_v<float, FVector> && !std::is_aggregate_v<FVector>);
static_assert(!std::is_convertible_v<uint32, FColor>);
static_assert(std::is_convertible_v<FColor, FLinearColor>);
static_assert(!std::is_convertible_v<FLinearColor, FColor>);
static_assert(std::is_convertible_v<EChatSendMode::Type, int32>);

// No member begin or end, View or IsEmpty on the containers: ranged for goes through hidden
// friends, and code that leans on more would not build against the framework.
template <typename T>
constexpr bool kHasMemberBegin = requires(T& t) {
  t.begin();
};
template <typename T>
constexpr bool kHasIsEmpty = requires(T& t) {
  t.IsEmpty();
};
template <typename T>
constexpr bool kHasView = requires(T& t) {
  t.View();
};
static_assert(!kHasMemberBegin<TArray<int32>> && !kHasMemberBegin<FString>);
static_assert(!kHasIsEmpty<TArray<int32>> && !kHasView<FString>);
static_assert(std::is_same_v<decltype(std::declval<const TArray<int32>&>().GetData()), int32*>);
static_assert(std::is_same_v<decltype(std::declval<TArray<int32>&>().Add(1)), int32>);

// NativeCall takes the object as void*: a pointer to const does not pass.
template <typename Object>
constexpr bool kCallsWith = requires(Object object) {
  NativeCall<bool>(object, std::string());
};
static_assert(kCallsWith<AActor*> && !kCallsWith<const AActor*>);

// The game's hierarchy; every class can be built (a stand-in must delete no constructor).
template <typename Derived, typename... Bases>
constexpr bool kDerivesFrom = (std::is_base_of_v<Bases, Derived> && ...);
static_assert(kDerivesFrom<AShooterPlayerController, ABasePlayerController, APlayerController,
                           AController, AActor, UObject, UObjectBaseUtility, UObjectBase>);
static_assert(kDerivesFrom<APrimalDinoCharacter, APrimalCharacter, ACharacter, APawn, AActor>);
static_assert(kDerivesFrom<AShooterCharacter, APrimalCharacter>);
static_assert(kDerivesFrom<AShooterPlayerState, APlayerState, AInfo, AActor>);
static_assert(kDerivesFrom<AShooterGameMode, AGameMode, AInfo>);
static_assert(kDerivesFrom<APrimalWorldSettings, AWorldSettings, AInfo>);
static_assert(kDerivesFrom<UClass, UStruct, UField, UObject>);
static_assert(kDerivesFrom<UTexture2D, UTexture, UObject>);
static_assert(kDerivesFrom<USceneComponent, UActorComponent, UObject>);
static_assert(kDerivesFrom<UPrimalCharacterStatusComponent, UActorComponent>);
static_assert(kDerivesFrom<UWorld, UObject>);
static_assert(std::is_default_constructible_v<UObject> && std::is_default_constructible_v<AActor> &&
              std::is_default_constructible_v<FTribeData>);

TEST(SdkShapeTest, ColoursPackAsTheGameDoes) {
  const FColor packed(0x80FF4020u);
  EXPECT_EQ(packed.A, 0x80);
  EXPECT_EQ(packed.R, 0xFF);
  EXPECT_EQ(packed.G, 0x40);
  EXPECT_EQ(packed.B, 0x20);
  EXPECT_EQ(packed.ToPackedARGB(), 0x80FF4020u);
  EXPECT_EQ(packed.ToPackedABGR(), 0x802040FFu);
  EXPECT_EQ(FColor(1, 2, 3).A, 255);

  const FLinearColor linear = FColor(255, 0, 188, 51);
  EXPECT_FLOAT_EQ(linear.R, 1.f);
  EXPECT_FLOAT_EQ(linear.G, 0.f);
  EXPECT_NEAR(linear.B, 0.5029f, 1e-4);  // 188 is mid-grey's sRGB value
  EXPECT_FLOAT_EQ(linear.A, 0.2f);
  EXPECT_FLOAT_EQ(FLinearColor(0.1f, 0.2f, 0.3f).A, 1.f);
}

TEST(SdkShapeTest, ChatRecordStartsAsTheGameDoes) {
  const FChatMessage message;
  EXPECT_TRUE(message.SenderName.IsEmpty());
  EXPECT_EQ(message.SenderId, 0u);
  EXPECT_EQ(message.ReceivedTime, -1);
  EXPECT_EQ(message.SendMode, EChatSendMode::GlobalChat);
  EXPECT_EQ(message.ChatType, EChatType::GlobalChat);
  EXPECT_EQ(message.SenderIcon, nullptr);
}

class FrameworkLogTest : public testing_support::GameFixture {};

// A plugin's logger from Log writes through the framework's sinks under the plugin's name.
TEST_F(FrameworkLogTest, LogWritesThroughTheFrameworksSinks) {
  Log::Get().Init("SdkTest");
  Log::GetLog()->warn("seen {}", 3);
  const auto logs = EventsOf("log");
  ASSERT_EQ(logs.size(), 1u);
  EXPECT_EQ(logs[0]["logger"], "SdkTest");
  EXPECT_EQ(logs[0]["level"], "warning");
  EXPECT_EQ(logs[0]["text"], "seen 3");
}

TEST(SdkShapeTest, VectorsStartAtZero) {
  const FVector origin;
  EXPECT_EQ(origin.X, 0.f);
  EXPECT_EQ(origin.Y, 0.f);
  EXPECT_EQ(origin.Z, 0.f);
  EXPECT_EQ(FVector(2.f).Z, 2.f);
}

}  // namespace
