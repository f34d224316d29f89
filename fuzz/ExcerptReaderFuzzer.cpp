#include "excerpt/ExcerptText.h"

#include <cstdint>
#include <cstdlib>

// Any bytes at all go to the excerpt reader. Beyond not crashing, what it reads must keep its
// promises: an error exactly when fewer than twelve lines were taken, the sound numbers within
// 16 bits, and an excerpt read whole must read back the same from the text written for it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray text(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const ExcerptReading reading = readExcerptText(text);
    if (reading.linesRead < 0 || reading.linesRead > excerptLineCount)
        std::abort();
    if ((reading.linesRead == excerptLineCount) != reading.error.isEmpty())
        std::abort();
    const Excerpt& excerpt = reading.excerpt;
    for (const int sound : {excerpt.tempo, excerpt.pitchSemi, excerpt.pitchGrad, excerpt.speed}) {
        if (sound < -32768 || sound > 32767)
            std::abort();
    }
    if (reading.linesRead == excerptLineCount) {
        const ExcerptReading again = readExcerptText(excerptText(excerpt));
        if (again.linesRead != excerptLineCount || !(again.excerpt == excerpt))
            std::abort();
    }
    return 0;
}
