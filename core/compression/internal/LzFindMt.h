/* LzFindMt.h: the match finder on a second thread, as LzmaEnc.c expects it
   when it is built with threads; internal to the library, never installed. */
#ifndef QZCORE_COMPRESSION_INTERNAL_LZFINDMT_H
#define QZCORE_COMPRESSION_INTERNAL_LZFINDMT_H

#include "LzFind.h"

#ifdef __cplusplus
extern "C" {
#endif

/* Work is handed over in blocks of at most this many positions (a block of
   match lists holds fewer when its value area fills first); each of the two
   rings (hash heads to the worker, match lists to the encoder) holds this
   many blocks. */
enum
{
  kMtBlockPositions = 1 << 13,
  kMtBlockValues = 1 << 16,
  kMtNumBlocks = 4
};

/* How the encoder's calls are served: by the worker's blocks, by blocks the
   encoder fills itself (no thread could be started), or straight by the
   single-thread match finder (input it cannot read ahead, or no buffers). */
typedef enum
{
  kMtModeForward,
  kMtModeThread,
  kMtModeInline
} EMatchFinderMtMode;

typedef struct _CMatchFinderMt
{
  /* set by the encoder; while the worker runs, the encoder's thread keeps to
     the finder's hash heads and the worker to its tree */
  CMatchFinder *MatchFinder;

  /* the encoder's side: its place in the input and in the current block */
  const Byte *pointerToCurPos;
  const Byte *streamEnd;
  const UInt32 *cursor;
  const UInt32 *cursorEnd;

  EMatchFinderMtMode mode;
  IMatchFinder single;       /* the single-thread finder's own functions */
  struct CQzMatchFinderPipe *pipe; /* buffers, worker and hand-over */

  /* the encoder places the finder right behind this structure and the worker
     reads it: keep the busy fields above on other cache lines */
  Byte pad[128];
} CMatchFinderMt;

void MatchFinderMt_Construct(CMatchFinderMt *p);
void MatchFinderMt_Destruct(CMatchFinderMt *p, ISzAlloc *alloc);
SRes MatchFinderMt_Create(CMatchFinderMt *p, UInt32 historySize, UInt32 keepAddBufferBefore,
    UInt32 matchMaxLen, UInt32 keepAddBufferAfter, ISzAlloc *alloc);
void MatchFinderMt_CreateVTable(CMatchFinderMt *p, IMatchFinder *vTable);
/* Stops and joins the worker; the encoder calls it when it has finished. */
void MatchFinderMt_ReleaseStream(CMatchFinderMt *p);

#ifdef __cplusplus
}
#endif

#endif /* QZCORE_COMPRESSION_INTERNAL_LZFINDMT_H */
