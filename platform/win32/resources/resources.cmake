# What makes a target a Windows program of ours: the GUI subsystem (no console window) and
# the resources: the icon, the dialog pictures, the version resource, the manifest
# (asInvoker, system DPI aware) and, for the screen saver, the string 1 that Windows lists
# it under.
#   mt_windows_program(TARGET saver|referral DESCRIPTION FILE_NAME)
function(mt_windows_program target kind description file_name)
  set_target_properties(${target} PROPERTIES WIN32_EXECUTABLE ON)
  set(out ${CMAKE_CURRENT_BINARY_DIR}/resources_${kind})
  set(here ${CMAKE_CURRENT_FUNCTION_LIST_DIR})
  set(MT_ASSETS ${PROJECT_SOURCE_DIR}/assets/gobblerun)
  set(MT_DESCRIPTION ${description})
  set(MT_FILE_NAME ${file_name})
  set(MT_INTERNAL_NAME ${kind})
  set(MT_VERSION_QUAD ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}.0.0)
  set(MT_VERSION_COMMAS ${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},0,0)
  set(MT_MANIFEST ${out}/program.manifest)
  configure_file(${here}/program.manifest ${out}/program.manifest @ONLY)
  configure_file(${here}/version.rc.in ${out}/version.rc @ONLY)
  configure_file(${here}/${kind}.rc.in ${out}/${kind}.rc @ONLY)
  target_sources(${target} PRIVATE ${out}/${kind}.rc)
  # The pictures are read at build time: a changed asset rebuilds the resources.
  file(GLOB assets ${MT_ASSETS}/*.ico ${MT_ASSETS}/*.bmp)
  set_source_files_properties(${out}/${kind}.rc PROPERTIES OBJECT_DEPENDS "${assets}")
endfunction()
