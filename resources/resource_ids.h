/* Resource names and ids, shared by the .rc files and the C++ code. Named
   resources are written bare here so the resource compiler sees a name;
   the C++ side takes them through BALANCER_RESOURCE_NAME. */
#ifndef BALANCER_RESOURCES_RESOURCE_IDS_H
#define BALANCER_RESOURCES_RESOURCE_IDS_H

#define BALANCER_RESOURCE_STRINGIZE(x) #x
#define BALANCER_RESOURCE_NAME(x) BALANCER_RESOURCE_STRINGIZE(x)

/* Window class icons. */
#define RES_LARGE_ICON lgicon
#define RES_SMALL_ICON smicon

/* Bitmaps, loaded by name with LoadImageA at their scaled sizes. The images
   in bitmaps/ are drawn by scripts/make_artwork.py at a screen scale of 1.0. */
#define RES_BMP_SPIN spin
#define RES_BMP_ZERO zero
#define RES_BMP_BOB bob
#define RES_BMP_JOB job
#define RES_BMP_SET set
#define RES_BMP_HELP help
#define RES_BMP_EXIT exit
#define RES_BMP_ADD add
#define RES_BMP_DPOINT dpoint
#define RES_BMP_DRILL drill
#define RES_BMP_HEAVY heavy
#define RES_BMP_TTLOGO ttlogo
#define RES_BMP_INITIAL initial
#define RES_BMP_SHAFT shaft
#define RES_BMP_HISTORY history
#define RES_BMP_STOP stop
#define RES_BMP_LEDON ledon
#define RES_BMP_LEDOFF ledoff
#define RES_BMP_SETTINGS settings
#define RES_BMP_HINT hint

/* Application manifest (CREATEPROCESS_MANIFEST_RESOURCE_ID / RT_MANIFEST). */
#define RES_MANIFEST_ID 1
#define RES_MANIFEST_TYPE 24

/* Version information. */
#define RES_VERSION_ID 1

#endif
