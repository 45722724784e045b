// QzRectangle2.cpp: the out-of-line destructors that anchor the rectangles'
// virtual tables in the library.
#include "geometry/QzRectangle2.h"

CQzRectangle2::~CQzRectangle2() {}

CQzRectangle2i::~CQzRectangle2i() {}
