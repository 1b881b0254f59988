# -*- coding: utf-8 -*-
# Gate lights
"""<parameters>
 <company>ACME</company>
 <title>Gate</title>
 <version>2</version>
 <resources>
  <resource>zones.json</resource>
  <resource>beep.wav</resource>
 </resources>
</parameters>"""


resources = {
	"zones.json": '''
		eJyrVqrKz0stVrJSiFbKyy8qyVDSUVAqzi8FMmKBrJzE3AKQpEktFwAk3wz1
	''',
	"beep.wav": '''
		eJwBggB9/9wEZaofrR1a2uWsGx5fE3B5bP0Q/xmvYB0ErLQdAitGeHM68t9frrcIWdHuORDL
		SJW1zIkpEf8GtmIu3zz5Nf1LlCjKCXxEswJell+z6m2s1C2Bbmmv4OaHTJwE59I2XSxgyer0
		efaGoOuTJuRiEtUNy7N3FWpqOmi6jtt0CEae886Rqz/S
	'''
}
vxutils.resources_check(script_path, resources)

import time
print('gate ok')
