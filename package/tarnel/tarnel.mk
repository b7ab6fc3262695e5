################################################################################
#
# tarnel
#
################################################################################

# Not built in tarnel's own repository: it needs a Buildroot tree and the
# vendor's platform libraries. Copy this folder to package/tarnel of the
# Buildroot tree and source its Config.in from package/Config.in.
TARNEL_VERSION = 1.0
TARNEL_SITE = $(call qstrip,$(BR2_PACKAGE_TARNEL_SITE))
TARNEL_SITE_METHOD = local
TARNEL_LICENSE = Proprietary
TARNEL_DEPENDENCIES = $(call qstrip,$(BR2_PACKAGE_TARNEL_PLATFORM_PACKAGES))
# Tests and the simulated gateway are development tools: not built here.
TARNEL_CONF_OPTS = \
	-DTARNEL_TESTS=OFF \
	-DTARNEL_PLATFORM_HEADER="$(call qstrip,$(BR2_PACKAGE_TARNEL_PLATFORM_HEADER))" \
	-DTARNEL_PLATFORM_LIBS="$(call qstrip,$(BR2_PACKAGE_TARNEL_PLATFORM_LIBS))"

$(eval $(cmake-package))
