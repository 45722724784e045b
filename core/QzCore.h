// QzCore.h: the umbrella header; includes every public QzCore header.
#ifndef QZCORE_QZCORE_H
#define QZCORE_QZCORE_H

#include "QzApi.h"

// compression
#include "compression/QzMemoryCompressor.h"
#include "compression/QzMemoryDecompressor.h"

// foundation
#include "foundation/QzArray.h"
#include "foundation/QzByteOrder.h"
#include "foundation/QzCRC16.h"
#include "foundation/QzCRC32.h"
#include "foundation/QzChecksum.h"
#include "foundation/QzString.h"
#include "foundation/QzStringCompare.h"
#include "foundation/QzStringCopy.h"
#include "foundation/QzStringNumbers.h"
#include "foundation/QzUtf8.h"

// geometry
#include "geometry/QzBox2.h"
#include "geometry/QzLinear2.h"
#include "geometry/QzRound2.h"
#include "geometry/QzRectangle2.h"
#include "geometry/QzTriangle2.h"
#include "geometry/QzAABB3.h"
#include "geometry/QzOBB3.h"
#include "geometry/QzLinear3.h"
#include "geometry/QzRound3.h"
#include "geometry/QzPlane.h"
#include "geometry/QzTriangle3.h"
#include "geometry/QzSphere.h"
#include "geometry/QzFrustum2.h"
#include "geometry/QzFrustum3.h"
#include "geometry/QzTriangleVertex.h"
#include "geometry/QzTriangle.h"
#include "geometry/QzTriangleBasis.h"
#include "geometry/QzTangentSpaceComputer.h"
#include "geometry/QzSkinning.h"
#include "geometry/QzCubicInterpolator.h"
#include "geometry/QzBezier.h"
#include "geometry/QzOscillator.h"

// identifier
#include "identifier/QzIdentifier.h"
#include "identifier/QzIdentifierHashEntry.h"
#include "identifier/QzHashTable.h"
#include "identifier/QzIdentifierManager.h"
#include "identifier/QzWellKnownIdentifiers.h"

// math
#include "math/QzColor.h"
#include "math/QzComplex.h"
#include "math/QzVector2.h"
#include "math/QzVector3.h"
#include "math/QzVector4.h"
#include "math/QzMatrix22.h"
#include "math/QzMatrix33.h"
#include "math/QzMatrix44.h"
#include "math/QzQuaternion.h"
#include "math/QzEulerAngles.h"
#include "math/QzAngleAxis.h"
#include "math/QzTransform.h"

// reflection
#include "reflection/QzBasicVariant.h"
#include "reflection/QzReflectionClientTypes.h"
#include "reflection/QzReflectionInformation.h"
#include "reflection/QzReflectionSnapShot.h"
#include "reflection/QzReflectionState.h"
#include "reflection/QzRTTI.h"
#include "reflection/QzParameter.h"
#include "reflection/QzParameterGroup.h"

// system
#include "system/QzLog.h"
#include "system/QzTimer.h"
#include "system/QzPerformanceTimer.h"
#include "system/QzThread.h"
#include "system/QzWaitEvent.h"
#include "system/QzFixedRingBuffer.h"
#include "system/QzWorkerManager.h"
#include "system/QzFilePath.h"
#include "system/QzDynamicLibrary.h"
#include "system/QzProcess.h"
#include "system/QzRandomValue.h"
#include "system/QzRefCount.h"
#include "system/QzMemCounter.h"
#include "system/QzMemoryArea.h"

#endif // QZCORE_QZCORE_H
