#pragma once
// Types the keyer, the sidetone, the CW panel and the settings pages share.

#include <cstdint>

// Paddle mode of a keyer.
enum TKeyerMode : uint8_t { kmIambicA, kmIambicB, kmUltimatic, kmBug };

// The keyer's own sidetone; its value on the wire is the ordinal + 1 (1..10).
enum TSidetoneFrequency : uint8_t {
    sf3759Hz, sf1879Hz, sf1252Hz, sf940Hz, sf752Hz, sf625Hz, sf535Hz, sf469Hz, sf417Hz, sf375Hz
};
