// QzParameterText.cpp: bounded text copy and colour channel conversion for
// the parameters' display texts.
#include "reflection/internal/QzParameterText.h"

#include "math/QzColor.h"

void QzCopyCutText(char const* text, char* buffer, int bufferSize)
{
    int i = 0;
    for (; i < bufferSize - 1 && text[i] != '\0'; ++i)
        buffer[i] = text[i];
    buffer[i] = '\0';
    buffer[bufferSize - 1] = '\0';
}

int QzColorChannelTo255(float channel)
{
    float const scaled = channel * 255.0f;
    return qzcolor::TruncToInt(scaled);
}
