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

/* Application manifest (CREATEPROCESS_MANIFEST_RESOURCE_ID / RT_MANIFEST). */
#define RES_MANIFEST_ID 1
#define RES_MANIFEST_TYPE 24

/* Version information. */
#define RES_VERSION_ID 1

#endif
