/* LzFindMtTestHook.h: a test hook (internal, never installed) that makes the
   match finder's worker thread fail to start, as when the system refuses it. */
#ifndef QZCORE_COMPRESSION_INTERNAL_LZFINDMTTESTHOOK_H
#define QZCORE_COMPRESSION_INTERNAL_LZFINDMTTESTHOOK_H

#ifdef __cplusplus
extern "C" {
#endif

/* While set (non-zero), starting the worker fails as if the system refused
   the thread, so the encoder takes its one-thread path. */
void MatchFinderMt_FailThreadStarts(int fail);

#ifdef __cplusplus
}
#endif

#endif /* QZCORE_COMPRESSION_INTERNAL_LZFINDMTTESTHOOK_H */
