// Spells out the bytes of a constexpr table as an array initialiser, so a
// table generated from text art can define one of the lcd.h arrays:
//   const uint8_t table[1024] = {QTR5_BYTES_1024(kBytes, 0)};
#pragma once

#define QTR5_BYTES_4(t, i) t[(i)], t[(i) + 1], t[(i) + 2], t[(i) + 3]
#define QTR5_BYTES_16(t, i)                                                   \
    QTR5_BYTES_4(t, (i)), QTR5_BYTES_4(t, (i) + 4), QTR5_BYTES_4(t, (i) + 8), \
        QTR5_BYTES_4(t, (i) + 12)
#define QTR5_BYTES_64(t, i)                                                        \
    QTR5_BYTES_16(t, (i)), QTR5_BYTES_16(t, (i) + 16), QTR5_BYTES_16(t, (i) + 32), \
        QTR5_BYTES_16(t, (i) + 48)
#define QTR5_BYTES_256(t, i)                                                        \
    QTR5_BYTES_64(t, (i)), QTR5_BYTES_64(t, (i) + 64), QTR5_BYTES_64(t, (i) + 128), \
        QTR5_BYTES_64(t, (i) + 192)
#define QTR5_BYTES_1024(t, i)                                                           \
    QTR5_BYTES_256(t, (i)), QTR5_BYTES_256(t, (i) + 256), QTR5_BYTES_256(t, (i) + 512), \
        QTR5_BYTES_256(t, (i) + 768)
