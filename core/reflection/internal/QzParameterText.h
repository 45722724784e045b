// QzParameterText.h: the bounded copy behind GetValueAsText and the
// colour channel conversion (internal, never installed).
#ifndef QZCORE_REFLECTION_INTERNAL_QZPARAMETERTEXT_H
#define QZCORE_REFLECTION_INTERNAL_QZPARAMETERTEXT_H

// Copies at most bufferSize - 1 characters of text and terminates them;
// buffer[bufferSize - 1] is always zero.
void QzCopyCutText(char const* text, char* buffer, int bufferSize);

// channel × 255 in single precision, truncated toward zero; NaN gives 0 and
// values beyond int's range saturate instead of being undefined.
int QzColorChannelTo255(float channel);

#endif // QZCORE_REFLECTION_INTERNAL_QZPARAMETERTEXT_H
